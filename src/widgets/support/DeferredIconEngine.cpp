#include "widgets/support/DeferredIconEngine.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>

DeferredIconEngine::DeferredIconEngine(std::function<QIcon()> make)
    : m_shared(std::make_shared<Shared>())
{
    m_shared->make = std::move(make);
}

const QIcon& DeferredIconEngine::icon()
{
    if (!m_shared->made) {
        m_shared->icon = m_shared->make();
        m_shared->made = true;
        m_shared->make = nullptr;
    }
    return m_shared->icon;
}

// Sizes here are device pixels: the icon is asked at a device pixel ratio of 1.
void DeferredIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                               QIcon::State state)
{
    const QPaintDevice* device = painter->device();
    const qreal dpr = device ? device->devicePixelRatio() : qApp->devicePixelRatio();
    const QSize size = rect.size() * dpr;
    painter->drawPixmap(rect, scaledPixmap(size, mode, state, dpr));
}

QSize DeferredIconEngine::actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return pixmap(size, mode, state).size();
}

QPixmap DeferredIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return icon().pixmap(size, 1.0, mode, state);
}

QPixmap DeferredIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                                         qreal scale)
{
    if (scale <= 1.0)
        return pixmap(size, mode, state);
    QPixmap picture = icon().pixmap(size / scale, scale, mode, state);
    picture.setDevicePixelRatio(1.0);
    return picture;
}

QList<QSize> DeferredIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    return icon().availableSizes(mode, state);
}

QString DeferredIconEngine::iconName()
{
    return icon().name();
}

bool DeferredIconEngine::isNull()
{
    return icon().isNull();
}

QString DeferredIconEngine::key() const
{
    return QStringLiteral("DeferredIconEngine");
}

QIconEngine* DeferredIconEngine::clone() const
{
    return new DeferredIconEngine(*this);
}
