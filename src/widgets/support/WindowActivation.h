#pragma once

class QWidget;

// Bringing a window to the user when another start of the program asks for it.
class WindowActivation
{
public:
    // Restores, raises and activates the window, and a modal window open over it.
    static void bringToFront(QWidget* window);
};
