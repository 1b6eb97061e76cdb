#pragma once

#include <QColor>
#include <QPalette>

// The design's system colours (0x800000nn names colour nn) map to roles of the current palette,
// so every window follows the theme.
class SystemColor
{
public:
    // System colour n (3, 13, 15, 16 or 20) from the palette.
    static QColor system(int n, const QPalette& palette);
};
