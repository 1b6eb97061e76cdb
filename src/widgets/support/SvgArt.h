#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

class QPainter;

// The program's pictures are SVG resources; this is the one place that renders them. Pictures
// are drawn for the device-pixel ratio they are shown at, so they stay crisp on high-density
// screens.
class SvgArt
{
public:
    // The picture at the given logical size, transparent where the drawing leaves it; null when
    // the resource is no readable SVG. Rendered pictures are cached.
    static QPixmap pixmap(const QString& resource, QSize logicalSize, qreal devicePixelRatio);
    // Starts rendering the picture on another thread, for a pixmap() of the same picture, size
    // and ratio asked for soon after (GUI thread only): pictures the first window shows at once
    // are drawn while the rest of it is built.
    static void prepare(const QString& resource, QSize logicalSize, qreal devicePixelRatio);
    // The picture as an icon, drawn at the size and ratio each use asks for.
    static QIcon icon(const QString& resource);
    // Draws the picture over the painter's whole device.
    static void render(QPainter& painter, const QString& resource);
};
