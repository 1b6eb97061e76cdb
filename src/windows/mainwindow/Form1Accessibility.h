#pragma once

// The main window reads as a window to assistive technology. Installed once, on first use.
class Form1Accessibility
{
public:
    static void install();
};
