#include "widgets/support/AppFonts.h"

#include <QFile>
#include <QFontDatabase>

bool AppFonts::registerTahoma()
{
    static const bool available = [] {
        if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
            return true;
        // Only the regular face: the bold one of that package has thin outlines that render
        // like regular text with wide spacing; the bold drawn from the regular face reads right.
        const QString file = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
        return QFile::exists(file) && QFontDatabase::addApplicationFont(file) >= 0;
    }();
    return available;
}

QFont AppFonts::tahoma(double pointSize, bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    // Falls back to the system's sans-serif where neither Tahoma exists.
    font.setStyleHint(QFont::SansSerif);
    return font;
}
