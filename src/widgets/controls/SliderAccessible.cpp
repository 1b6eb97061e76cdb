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

QString SliderAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return QString::number(slider()->value());
    return QAccessibleWidget::text(t);
}

QVariant SliderAccessible::currentValue() const
{
    return slider()->value();
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
    slider()->stepTo(static_cast<qint64>(std::clamp(std::round(wanted), -Limit, Limit)));
}

QVariant SliderAccessible::maximumValue() const
{
    return slider()->max();
}

QVariant SliderAccessible::minimumValue() const
{
    return slider()->min();
}

QVariant SliderAccessible::minimumStepSize() const
{
    return 1;
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
