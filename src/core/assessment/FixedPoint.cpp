#include "core/assessment/FixedPoint.h"

#include <cmath>
#include <limits>

FixedPoint FixedPoint::fromDouble(double value)
{
    const double scaled = std::round(value * 10000.0);
    // Converting a NaN or a value outside qint64 is undefined; saturate instead.
    if (std::isnan(scaled))
        return FixedPoint(0);
    // 2^63 is exactly representable; anything at or above it does not fit.
    constexpr double limit = 9223372036854775808.0;
    if (scaled >= limit)
        return FixedPoint(std::numeric_limits<qint64>::max());
    if (scaled < -limit)
        return FixedPoint(std::numeric_limits<qint64>::min());
    return FixedPoint(static_cast<qint64>(scaled));
}

qint64 FixedPoint::floor() const
{
    const qint64 whole = m_raw / 10000; // truncates towards zero
    return (m_raw % 10000 < 0) ? whole - 1 : whole;
}
