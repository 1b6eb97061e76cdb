#pragma once

#include "core/assessment/FixedPoint.h"

#include <QString>

enum class SignStyle
{
    MinusOnly, // 1,5 and −1,5
    Explicit   // +1,5 and −1,5, for a change
};

enum class YearsCase
{
    Nominative, // 1 год, 2 года, 5 лет
    Genitive    // (до) 1 года, 2 лет, 5 лет
};

// A fixed-point number as the interface writes it: the interface's decimal separator (a comma
// in Russian), trailing zeros dropped
// (2,20 is 2,2 and 2,00 is 2) and the typographic minus sign U+2212.
QString DecimalString(FixedPoint value, SignStyle sign = SignStyle::MinusOnly);

// Rounded (a half away from zero) to a fixed number of decimals (0 to 4) and written with all
// of them, so that a column of values lines up: 38,9 is 38,90. Minus U+2212.
QString FixedDecimalString(FixedPoint value, int decimals);

// The number followed by the word for years in the form it needs. A fraction takes "года"
// (1,5 года, 0,72 года); a whole number is declined as AgeString declines it. In English:
// 1 year, 2 years, 1.5 years.
QString YearsString(FixedPoint years, SignStyle sign = SignStyle::MinusOnly,
                    YearsCase wordCase = YearsCase::Nominative);

// "year" or "years" after a count in English (the count's magnitude).
QString EnglishYearsWord(int count);
