#include "widgets/support/SvgArt.h"

#include "widgets/support/SvgIconEngine.h"

#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

#include <future>
#include <map>

namespace {

QString cacheKey(const QString& resource, QSize logicalSize, qreal devicePixelRatio)
{
    return QStringLiteral("svgart:%1:%2x%3@%4")
        .arg(resource)
        .arg(logicalSize.width())
        .arg(logicalSize.height())
        .arg(devicePixelRatio);
}

// Safe on any thread: an image, a painter on it and a renderer of its own.
QImage rendered(const QString& resource, QSize logicalSize, qreal devicePixelRatio)
{
    QSvgRenderer renderer(resource);
    if (!renderer.isValid())
        return QImage();
    QImage image(logicalSize * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}

// Renderings under way or done, by cache key; each is taken by the first pixmap() that asks.
// A rendering nobody took is waited for when the program ends.
std::map<QString, std::future<QImage>>& prepared()
{
    static std::map<QString, std::future<QImage>> renderings;
    return renderings;
}

} // namespace

QPixmap SvgArt::pixmap(const QString& resource, QSize logicalSize, qreal devicePixelRatio)
{
    const QString key = cacheKey(resource, logicalSize, devicePixelRatio);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;

    QImage image;
    const auto job = prepared().find(key);
    if (job != prepared().end()) {
        image = job->second.get();
        prepared().erase(job);
    } else {
        image = rendered(resource, logicalSize, devicePixelRatio);
    }
    if (image.isNull())
        return QPixmap();
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(key, result);
    return result;
}

void SvgArt::prepare(const QString& resource, QSize logicalSize, qreal devicePixelRatio)
{
    const QString key = cacheKey(resource, logicalSize, devicePixelRatio);
    QPixmap cached;
    if (prepared().count(key) > 0 || QPixmapCache::find(key, &cached))
        return;
    prepared().emplace(
        key, std::async(std::launch::async, rendered, resource, logicalSize, devicePixelRatio));
}

QIcon SvgArt::icon(const QString& resource)
{
    return QIcon(new SvgIconEngine(resource));
}

void SvgArt::render(QPainter& painter, const QString& resource)
{
    QSvgRenderer(resource).render(&painter);
}
