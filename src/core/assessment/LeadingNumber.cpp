#include "core/assessment/LeadingNumber.h"

#include <limits>

int LeadingNumber(const QString& text)
{
    int i = 0;
    const int n = static_cast<int>(text.size());
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    const long long limit = std::numeric_limits<int>::max();
    for (; i < n && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text.at(i).unicode() - '0');
        if (value > limit)
            value = limit; // a number this long never comes from a value label
    }
    return static_cast<int>(negative ? -value : value);
}
