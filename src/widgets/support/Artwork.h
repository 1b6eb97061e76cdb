#pragma once

#include <QCursor>
#include <QPixmap>
#include <QString>

// The program's pictures, drawn from their SVG resources at the device-pixel ratio they are
// shown at, so they stay crisp on high-density screens.
class Artwork
{
public:
    // A picture of the given logical size; null when the resource is missing.
    static QPixmap pixmap(const QString& resource, const QSize& size, qreal devicePixelRatio);
    // The pointing hand over links and sliders, hot spot at the fingertip (6, 0).
    static QCursor handCursor();
};
