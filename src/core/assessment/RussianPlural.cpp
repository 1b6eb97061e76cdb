#include "core/assessment/RussianPlural.h"

PluralForm RussianPluralForm(qint64 number)
{
    // The magnitude in unsigned arithmetic, so that the most negative number has one too.
    const quint64 magnitude = number < 0 ? 0 - static_cast<quint64>(number) : number;
    const quint64 lastTwo = magnitude % 100;
    const quint64 last = lastTwo % 10;
    if (lastTwo >= 11 && lastTwo <= 14)
        return PluralForm::Many;
    if (last == 1)
        return PluralForm::One;
    if (last >= 2 && last <= 4)
        return PluralForm::Few;
    return PluralForm::Many;
}
