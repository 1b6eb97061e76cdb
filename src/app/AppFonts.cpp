#include "app/AppFonts.h"

#include <QFile>
#include <QFontDatabase>

bool AppFonts::registerTahoma()
{
    static const bool available = [] {
        if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
            return true;
        bool any = false;
        for (const char* path :
             {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
            const QString file = QString::fromLatin1(path);
            if (QFile::exists(file) && QFontDatabase::addApplicationFont(file) >= 0)
                any = true;
        }
        return any;
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
