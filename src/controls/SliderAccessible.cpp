#include "controls/SliderAccessible.h"

#include "controls/Slider.h"

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
    bool ok = false;
    const qlonglong wanted = value.toLongLong(&ok);
    if (ok && slider()->isEnabled())
        slider()->stepTo(wanted);
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
