#include "core/assessment/AgeString.h"

QString AgeString(int agenum)
{
    // Work on the magnitude in a wider type so that the most negative int has one too.
    const qint64 magnitude = agenum < 0 ? -static_cast<qint64>(agenum) : agenum;
    const int lastTwo = static_cast<int>(magnitude % 100);
    const int last = lastTwo % 10;

    QString word;
    if (lastTwo >= 11 && lastTwo <= 14)
        word = QStringLiteral("лет");
    else if (last == 1)
        word = QStringLiteral("год");
    else if (last >= 2 && last <= 4)
        word = QStringLiteral("года");
    else
        word = QStringLiteral("лет");
    return QString::number(agenum) + QLatin1Char(' ') + word;
}
