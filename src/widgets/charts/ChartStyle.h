#pragma once

#include <QColor>
#include <QFontMetricsF>
#include <QRectF>

class QPainter;
class QPalette;

// What the charts share: sizes that follow the painter's font, so one drawing serves a window
// and a printed page alike, and edges laid on whole device pixels, so that bands and rules stay
// sharp at any device-pixel ratio.
class ChartStyle
{
public:
    // Font metrics on the painter's own device, in its logical coordinates.
    static QFontMetricsF metrics(const QPainter& painter);
    // The width of a thin rule: one pixel for the interface font, more on a fine page.
    static double unit(const QFontMetricsF& metrics);

    // Coordinates moved to the nearest device-pixel edge (for an unrotated painter).
    static double snapX(const QPainter& painter, double x);
    static double snapY(const QPainter& painter, double y);
    static QRectF snapped(const QPainter& painter, const QRectF& rect);

    // a and b mixed: 0 gives a, 1 gives b.
    static QColor mix(const QColor& a, const QColor& b, double amount);
    // A colour of the given hue with the lightness that stands out from the palette's window
    // by the given step (light themes get a darker colour, dark themes a lighter one).
    static QColor tint(const QPalette& palette, double hue, double saturation, double step);
};
