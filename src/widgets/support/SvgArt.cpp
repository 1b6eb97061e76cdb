#include "widgets/support/SvgArt.h"

#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

QPixmap SvgArt::pixmap(const QString& resource, QSize logicalSize, qreal devicePixelRatio)
{
    const QString key = QStringLiteral("svgart:%1:%2x%3@%4")
                            .arg(resource)
                            .arg(logicalSize.width())
                            .arg(logicalSize.height())
                            .arg(devicePixelRatio);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;

    QSvgRenderer renderer(resource);
    if (!renderer.isValid())
        return QPixmap();
    QImage image(logicalSize * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();

    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(key, result);
    return result;
}

void SvgArt::render(QPainter& painter, const QString& resource)
{
    QSvgRenderer(resource).render(&painter);
}
