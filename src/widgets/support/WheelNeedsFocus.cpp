#include "widgets/support/WheelNeedsFocus.h"

#include <QEvent>
#include <QWidget>

void WheelNeedsFocus::apply(QWidget* control)
{
    control->setFocusPolicy(Qt::StrongFocus);
    control->installEventFilter(new WheelNeedsFocus(control));
}

bool WheelNeedsFocus::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel)
        return false;
    const auto* control = static_cast<QWidget*>(watched);
    if (control->hasFocus())
        return false;
    // Unused: the application hands it on to the parent.
    event->ignore();
    return true;
}
