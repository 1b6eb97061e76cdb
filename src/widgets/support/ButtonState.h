#pragma once

#include <Qt>

// Mouse-button state as the controls' events carry it: 1 left + 2 right + 4 middle.
class ButtonState
{
public:
    static int fromQt(Qt::MouseButtons buttons)
    {
        return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
               (buttons & Qt::MiddleButton ? 4 : 0);
    }
};
