#pragma once

#include <QObject>

// Enter (Return or the keypad's Enter) presses the focused push button or tool button, as on
// the desktops the program is used on; Space works as before. Qt's buttons take Enter only as
// a dialog's default buttons, and tool buttons never.
//
// The key first goes its usual way: the focused button and a window that sees its keys before
// its controls may use it or keep it. Only a key they leave unused, passed on to the button's
// surroundings, presses the button, so no button is pressed twice and a window can refuse it.
class ButtonEnterKey : public QObject
{
    Q_OBJECT
public:
    // For the whole application, once; windows with buttons call it when they are built.
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
