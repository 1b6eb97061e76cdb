#pragma once

#include <QtGlobal>

// Four-decimal fixed point: a signed count of ten-thousandths (46.76 is 467600).
// Converting the formulas' doubles into it removes their representation error, so the
// verdict is decided on exact values.
class FixedPoint
{
public:
    constexpr FixedPoint() = default;
    static constexpr FixedPoint fromRaw(qint64 tenThousandths)
    {
        return FixedPoint(tenThousandths);
    }
    static constexpr FixedPoint fromInt(qint64 whole) { return FixedPoint(whole * 10000); }
    // Rounds to the nearest ten-thousandth.
    static FixedPoint fromDouble(double value);

    constexpr qint64 raw() const { return m_raw; }
    double toDouble() const { return static_cast<double>(m_raw) / 10000.0; }
    // Rounded down, towards minus infinity.
    qint64 floor() const;

    constexpr FixedPoint operator+(FixedPoint o) const { return FixedPoint(m_raw + o.m_raw); }
    constexpr FixedPoint operator-(FixedPoint o) const { return FixedPoint(m_raw - o.m_raw); }
    constexpr bool operator==(FixedPoint o) const { return m_raw == o.m_raw; }
    constexpr bool operator!=(FixedPoint o) const { return m_raw != o.m_raw; }
    constexpr bool operator<(FixedPoint o) const { return m_raw < o.m_raw; }
    constexpr bool operator<=(FixedPoint o) const { return m_raw <= o.m_raw; }
    constexpr bool operator>(FixedPoint o) const { return m_raw > o.m_raw; }
    constexpr bool operator>=(FixedPoint o) const { return m_raw >= o.m_raw; }

private:
    constexpr explicit FixedPoint(qint64 raw) : m_raw(raw) {}
    qint64 m_raw = 0;
};
