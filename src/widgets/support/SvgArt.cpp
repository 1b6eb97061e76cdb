#include "widgets/support/SvgArt.h"

#include "widgets/support/SvgIconEngine.h"

#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

#include <deque>
#include <future>
#include <map>
#include <mutex>

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

// Pictures asked for ahead are drawn in turn on one other thread, in the order they were asked
// for (the order the window needs them in); each rendering is taken by the first pixmap() that
// asks for it. The thread ends when nothing is left to draw, and a later prepare() starts it
// again; the program's end waits for it.
class Preparation
{
public:
    bool has(const QString& key) const { return m_done.count(key) > 0; }

    void add(const QString& key, const QString& resource, QSize logicalSize, qreal ratio)
    {
        Job job{resource, logicalSize, ratio, {}};
        m_done.emplace(key, job.promise.get_future());
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.push_back(std::move(job));
        if (!m_working) {
            m_working = true;
            m_worker = std::async(std::launch::async, [this] { work(); });
        }
    }

    // The rendering for the key, or a null future when none was asked for.
    std::future<QImage> take(const QString& key)
    {
        const auto found = m_done.find(key);
        if (found == m_done.end())
            return {};
        std::future<QImage> result = std::move(found->second);
        m_done.erase(found);
        return result;
    }

private:
    struct Job
    {
        QString resource;
        QSize logicalSize;
        qreal ratio;
        std::promise<QImage> promise;
    };

    void work()
    {
        for (;;) {
            Job job;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_queue.empty()) {
                    m_working = false;
                    return;
                }
                job = std::move(m_queue.front());
                m_queue.pop_front();
            }
            job.promise.set_value(rendered(job.resource, job.logicalSize, job.ratio));
        }
    }

    std::map<QString, std::future<QImage>> m_done; // GUI thread only
    std::mutex m_mutex;                            // guards the queue and the flag
    std::deque<Job> m_queue;
    bool m_working = false;
    std::future<void> m_worker; // last, so that it is waited for before the rest goes
};

Preparation& preparation()
{
    static Preparation instance;
    return instance;
}

} // namespace

QPixmap SvgArt::pixmap(const QString& resource, QSize logicalSize, qreal devicePixelRatio)
{
    const QString key = cacheKey(resource, logicalSize, devicePixelRatio);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;

    std::future<QImage> ahead = preparation().take(key);
    const QImage image =
        ahead.valid() ? ahead.get() : rendered(resource, logicalSize, devicePixelRatio);
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
    if (preparation().has(key) || QPixmapCache::find(key, &cached))
        return;
    preparation().add(key, resource, logicalSize, devicePixelRatio);
}

QIcon SvgArt::icon(const QString& resource)
{
    return QIcon(new SvgIconEngine(resource));
}

void SvgArt::render(QPainter& painter, const QString& resource)
{
    QSvgRenderer(resource).render(&painter);
}
