#pragma once

// Accessible roles of the windows' own widgets: the main window reads as a window, the
// link labels as links. Installed once, on first use.
class WindowAccessibility
{
public:
    static void install();
};
