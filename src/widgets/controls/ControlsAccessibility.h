#pragma once

// Makes the custom controls known to assistive technology: the slider as a slider with a
// value, the 3D panel as a separator, the link label as a link.
class ControlsAccessibility
{
public:
    // Installs the accessibility factory once; every control calls it on construction.
    static void install();
};
