#pragma once

#include <QtGlobal>

// The slider's arithmetic in twips, free of widgets. Positions are single precision; the
// products and quotients that lead to them are formed in double precision in a fixed order,
// so a value set by code and the same value reached by dragging may sit slightly apart.
//
// Outside the working limits (Min >= Max, a width of 330 twips or less) there is no room to
// map values onto: the thumb stands at its leftmost place (30), Value is kept in [Min, Max]
// when Min <= Max and equals Min otherwise, and nothing divides by zero. All intermediate
// sums are formed in 64 bits or in double precision, so values near the 32-bit ends cannot
// overflow, and no infinity or NaN ever reaches a conversion.
class SliderGeometry
{
public:
    static constexpr float LeftmostLeft = 30;
    // Where a new thumb and fill line stand until a value is first set.
    static constexpr float DesignThumbLeft = 1755;
    static constexpr float DesignFillX1 = 645;
    static constexpr double ThumbWidth = 300;

    int max() const { return m_max; }
    void setMax(int newMax) { m_max = newMax; }
    int min() const { return m_min; }
    void setMin(int newMin) { m_min = newMin; }
    int value() const { return m_value; }

    // Control width in twips. Changing it does not move the thumb.
    double width() const { return m_width; }
    void setWidth(double twips) { m_width = twips; }

    float thumbLeft() const { return m_thumbLeft; }
    // The fill line's moving end, in the track's coordinates.
    float fillX1() const { return m_fillX1; }

    // Value by code: clamped to the bounds, then the thumb is placed for it.
    void setValue(qint64 newValue);
    // Keyboard step of -1 or +1 (also any whole step made through assistive technology).
    void stepBy(int delta) { setValue(static_cast<qint64>(m_value) + delta); }
    // Page Up and Page Down: a tenth of the range, at least one.
    qint64 pageStep() const;
    // Pointer move over the thumb: buttons is 1 left + 2 right + 4 middle, pointerX the
    // pointer's x relative to the thumb's left edge. Returns false when the step is ignored
    // (any button state other than the left button alone).
    bool dragStep(int buttons, double pointerX);

    // True when the width and bounds leave room to map values onto the track.
    bool hasRoom() const;

private:
    double span() const { return m_width - 60 - 270; }
    float rightmostLeft() const { return static_cast<float>(m_width - 30 - ThumbWidth); }
    int clamped(double v) const;
    void placeForValue();
    void placeAt(float left);

    int m_max = 0;
    int m_min = 0;
    int m_value = 0;
    double m_width = 0;
    float m_thumbLeft = DesignThumbLeft;
    float m_fillX1 = DesignFillX1;
};
