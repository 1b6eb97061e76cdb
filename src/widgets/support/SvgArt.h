#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// Pictures drawn as SVG resources, rendered for the device-pixel ratio they are shown at so
// they stay crisp on high-density screens. Rendered pictures are cached.
class SvgArt
{
public:
    static QPixmap pixmap(const QString& resource, QSize logicalSize, qreal devicePixelRatio);
};
