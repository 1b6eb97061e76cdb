#include "core/assessment/AgeString.h"

#include "core/app/DisplayLocale.h"
#include "core/assessment/RussianPlural.h"
#include "core/assessment/YearsString.h"

QString AgeString(int agenum)
{
    if (!DisplayLocale::isRussian())
        return QString::number(agenum) + QLatin1Char(' ') +
               EnglishYearsWord(agenum == 1 || agenum == -1 ? 1 : 2);
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
