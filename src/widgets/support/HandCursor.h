#pragma once

#include <QCursor>
#include <QPoint>
#include <QString>

// The pointing hand over links and sliders: the program's own picture, drawn for the screen's
// pixel ratio, with its hot spot at the fingertip.
class HandCursor
{
public:
    static QCursor make(qreal devicePixelRatio);
    // Starts drawing the picture for make() at that ratio on another thread.
    static void prepare(qreal devicePixelRatio);

    // The fingertip in the units the platform reads a cursor's hot spot in: X11 in the
    // picture's own pixels, the others in logical ones.
    static QPoint hotSpot(qreal devicePixelRatio, const QString& platformName);
};
