#pragma once

#include <QObject>

class QWidget;

// A wheel turned while the pointer merely passes over a control must not change it: for the
// profile box, a change of selection loads a profile over inputs not saved. Such a control
// takes the focus only by a click or Tab (Qt's combo box otherwise takes it from the wheel
// itself), and without the focus it leaves the wheel to its surroundings, which scroll or
// ignore it. With the focus it takes the wheel as Qt's control does.
class WheelNeedsFocus : public QObject
{
    Q_OBJECT
public:
    static void apply(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
