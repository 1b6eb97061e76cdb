#pragma once

#include <QString>

// The number, a blank and the Russian word for years in the form the number needs:
// 1 год, 2 года, 5 лет, 11 лет, 21 год, 111 лет, -1 год. In English: 1 year, 21 years.
QString AgeString(int agenum);
