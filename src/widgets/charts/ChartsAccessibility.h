#pragma once

// Makes the chart widgets known to assistive technology as charts, read through their
// accessible name (the text equivalent) and description.
class ChartsAccessibility
{
public:
    // Installs the accessibility factory once; every chart widget calls it on construction.
    static void install();
};
