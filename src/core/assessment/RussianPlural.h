#pragma once

#include <QtGlobal>

// Which form a Russian noun takes after a whole number: 1 год, 2 года, 5 лет; decided by the
// last two digits, so every teen (11..14 as well as 111) takes the "many" form.
enum class PluralForm
{
    One,
    Few,
    Many
};

PluralForm RussianPluralForm(qint64 number);
