#pragma once

#include "core/assessment/FixedPoint.h"

#include <QFontMetricsF>
#include <QRectF>
#include <QString>
#include <QVector>

class QPainter;
class QPalette;

// The scale of the difference between the biological and the proper age: five verdict bands
// from −30 to 30 years, the verdict titles, the boundaries and a marker at the difference. A
// difference no band holds (below −30, or 30 and more) is pinned at that end with an arrow
// pointing out.
// Draws into any painter (a window, an image, a printed page); sizes follow the painter's font.
class AgeDifferenceScale
{
public:
    struct Title
    {
        QString text;
        QRectF rect;   // the colour swatch and the text
        int group = 0; // 0 slower, 1 matching, 2 faster ageing
    };

    // Where each part lies in a rectangle.
    struct Layout
    {
        QRectF band;     // the coloured bands, −30 at its left edge and 30 at its right
        double labelTop; // the marker's value
        double tickTop;  // the boundary marks below the band
        double tickLabelTop;
        double arrowLength; // of the arrow beside a pinned marker
        QVector<Title> titles;
        Title caption; // what the numbers are: the biological age minus the proper one
        double height; // of everything, from the rectangle's top

        // The x of a difference; beyond the ends, the end.
        double xFor(FixedPoint difference) const;
    };

    static Layout layout(const QRectF& rect, const QFontMetricsF& metrics);
    // The narrowest width that holds the longest title.
    static double minimumWidth(const QFontMetricsF& metrics);
    // The height the scale needs at a width.
    static double heightFor(double width, const QFontMetricsF& metrics);
    static void paint(QPainter& painter, const QRectF& rect, FixedPoint difference,
                      const QPalette& palette);

    // For a screen reader: "Разница 20,23 года: ускоренное старение".
    static QString textEquivalent(FixedPoint difference);
    // The caption under the boundaries' numbers.
    static QString captionText();
    // What the bands mean.
    static QString description();
    // True where the marker is pinned at an end: no band holds the difference.
    static bool isPinned(FixedPoint difference);
    // The middle of the marker's bar for a difference inside the bands.
    static double markerX(const Layout& layout, FixedPoint difference, double unit);
};
