#include "core/geometry/SliderGeometry.h"

#include <algorithm>
#include <cmath>

bool SliderGeometry::hasRoom() const
{
    return span() > 0 && m_max > m_min;
}

// Upper bound first, then lower, so with Min > Max the lower bound wins. The comparison runs
// in double precision, which holds every 32-bit integer and sum of two of them exactly.
int SliderGeometry::clamped(double v) const
{
    if (v > m_max)
        v = m_max;
    if (v < m_min)
        v = m_min;
    return static_cast<int>(v);
}

void SliderGeometry::setValue(qint64 newValue)
{
    m_value = clamped(static_cast<double>(newValue));
    placeForValue();
}

qint64 SliderGeometry::pageStep() const
{
    const qint64 range = static_cast<qint64>(m_max) - m_min;
    return std::max<qint64>(range / 10, 1);
}

void SliderGeometry::placeForValue()
{
    // The divisor is one more than the range, so code never reaches the right end.
    const double divisor = static_cast<double>(m_max) + 1 - m_min;
    if (span() <= 0 || divisor <= 0) {
        placeAt(LeftmostLeft);
        return;
    }
    const double offset = static_cast<double>(m_value) - m_min;
    placeAt(static_cast<float>(span() * offset / divisor));
}

void SliderGeometry::placeAt(float left)
{
    if (left < LeftmostLeft)
        left = LeftmostLeft;
    // Only inside the working limits: a narrow control would push the thumb out on the left.
    if (span() > 0 && rightmostLeft() < left)
        left = rightmostLeft();
    m_thumbLeft = left;
    m_fillX1 = left;
}

bool SliderGeometry::dragStep(int buttons, double pointerX)
{
    if (buttons != 1)
        return false;
    if (!hasRoom()) {
        m_value = clamped(m_value);
        placeAt(LeftmostLeft);
        return true;
    }
    // The grabbed point sits 135 twips right of the thumb's left edge.
    float x = static_cast<float>(static_cast<double>(m_thumbLeft) + pointerX - 135);
    if (x < 0)
        x = 0;
    if (rightmostLeft() < x)
        x = rightmostLeft();
    const double range = static_cast<double>(m_max) - m_min;
    const double perTwip = range / span();
    // At the right end the quotient-then-product can land a hair below the range (59 / 3120
    // times 3120 gives 58.99...), which would leave Max out of the pointer's reach.
    const double steps = x >= span() ? range : std::floor(perTwip * x);
    // Dragging divides by the range itself, so a dragged thumb reaches the right end at Max.
    placeAt(static_cast<float>(span() * steps / range));
    m_value = clamped(m_min + steps);
    return true;
}
