#pragma once

#include <QColor>
#include <QPalette>

// The design names colours as 0x00BBGGRR (fixed) or 0x800000nn (system colour nn).
// System colours map to roles of the current palette so every window follows the theme.
class SystemColor
{
public:
    enum : unsigned
    {
        InactiveCaption = 0x80000003u,
        Highlight = 0x8000000Du,
        ButtonFace = 0x8000000Fu,
        ButtonShadow = 0x80000010u,
        ButtonHighlight = 0x80000014u,
    };

    // System colour n (3, 13, 15, 16 or 20) from the palette.
    static QColor system(int n, const QPalette& palette);
    // A design colour value: fixed 0x00BBGGRR or system 0x800000nn.
    static QColor fromDesign(unsigned value, const QPalette& palette);
};
