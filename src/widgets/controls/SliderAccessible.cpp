#include "widgets/controls/SliderAccessible.h"

#include "widgets/controls/Slider.h"

#include <algorithm>
#include <cmath>

SliderAccessible::SliderAccessible(Slider* slider) : QAccessibleWidget(slider, QAccessible::Slider)
{
}

Slider* SliderAccessible::slider() const
{
    return static_cast<Slider*>(widget());
}

void* SliderAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

// Values as the host shows them: the position times the slider's shown factor.
qint64 SliderAccessible::shown(int position) const
{
    return static_cast<qint64>(position) * slider()->shownFactor();
}

QString SliderAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return QString::number(shown(slider()->value()));
    return QAccessibleWidget::text(t);
}

QVariant SliderAccessible::currentValue() const
{
    return shown(slider()->value());
}

void SliderAccessible::setCurrentValue(const QVariant& value)
{
    // Assistive technology may hand over any number, fractions and NaN included.
    bool ok = false;
    const double wanted = value.toDouble(&ok);
    if (!ok || !std::isfinite(wanted) || !slider()->isEnabled())
        return;
    // Far outside every 32-bit bound, yet exact in both double and 64 bits.
    constexpr double Limit = 1e15;
    const double position = std::round(wanted / slider()->shownFactor());
    slider()->stepTo(static_cast<qint64>(std::clamp(position, -Limit, Limit)));
}

QVariant SliderAccessible::maximumValue() const
{
    return shown(slider()->max());
}

QVariant SliderAccessible::minimumValue() const
{
    return shown(slider()->min());
}

// One key step; Page Up and Page Down are keys only, with no counterpart here.
QVariant SliderAccessible::minimumStepSize() const
{
    return slider()->shownFactor();
}

QStringList SliderAccessible::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (slider()->isEnabled())
        names << increaseAction() << decreaseAction();
    return names;
}

void SliderAccessible::doAction(const QString& actionName)
{
    if (!slider()->isEnabled())
        return;
    if (actionName == increaseAction())
        slider()->stepTo(static_cast<qlonglong>(slider()->value()) + 1);
    else if (actionName == decreaseAction())
        slider()->stepTo(static_cast<qlonglong>(slider()->value()) - 1);
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList SliderAccessible::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == increaseAction())
        return {QStringLiteral("Right")};
    if (actionName == decreaseAction())
        return {QStringLiteral("Left")};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}
