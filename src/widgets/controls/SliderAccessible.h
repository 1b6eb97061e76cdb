#pragma once

#include <QAccessibleWidget>

class Slider;

// The slider as assistive technology sees it: a slider with a current, minimum and maximum
// value, each as the host shows it (the slider's shown factor). A value set through it, or an
// increase/decrease action (one key step), is a user step and raises Scroll like a key press.
// Its thumb and groove are drawing only, so it has no children.
class SliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit SliderAccessible(Slider* slider);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    Slider* slider() const;
    qint64 shown(int position) const;
};
