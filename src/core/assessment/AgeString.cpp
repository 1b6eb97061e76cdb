#include "core/assessment/AgeString.h"

#include "core/assessment/RussianPlural.h"

QString AgeString(int agenum)
{
    QString word;
    switch (RussianPluralForm(agenum)) {
    case PluralForm::One:
        word = QStringLiteral("год");
        break;
    case PluralForm::Few:
        word = QStringLiteral("года");
        break;
    case PluralForm::Many:
        word = QStringLiteral("лет");
        break;
    }
    return QString::number(agenum) + QLatin1Char(' ') + word;
}
