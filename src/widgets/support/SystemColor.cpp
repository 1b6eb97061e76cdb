#include "widgets/support/SystemColor.h"

QColor SystemColor::system(int n, const QPalette& palette)
{
    switch (n) {
    case 13:
        return palette.color(QPalette::Highlight);
    case 15:
        return palette.color(QPalette::Button);
    case 16:
        return palette.color(QPalette::Dark);
    case 20:
        return palette.color(QPalette::Light);
    case 3: {
        // Inactive caption: a calm grey-blue that still reads against the button face.
        const QColor face = palette.color(QPalette::Button);
        const bool darkTheme = face.lightness() < 128;
        return darkTheme ? QColor(0x7a, 0x8c, 0xa6) : QColor(0x8f, 0xa3, 0xbf);
    }
    default:
        return palette.color(QPalette::WindowText);
    }
}
