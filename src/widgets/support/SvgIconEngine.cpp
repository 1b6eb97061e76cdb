#include "widgets/support/SvgIconEngine.h"

#include "widgets/support/SvgArt.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

SvgIconEngine::SvgIconEngine(const QString& resource) : m_resource(resource) {}

QList<QSize> SvgIconEngine::offeredSizes()
{
    return {QSize(16, 16), QSize(32, 32), QSize(64, 64), QSize(128, 128)};
}

void SvgIconEngine::prepare(const QString& resource, QSize logicalSize, qreal devicePixelRatio)
{
    // As scaledPixmap() draws it: at the size in device pixels, at ratio 1.
    SvgArt::prepare(resource, logicalSize * devicePixelRatio, 1.0);
}

void SvgIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                          QIcon::State state)
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
}

QPixmap SvgIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return scaledPixmap(size, mode, state, 1.0);
}

QPixmap SvgIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                                    qreal scale)
{
    Q_UNUSED(state)
    Q_UNUSED(scale)
    // The size is in device pixels already; QIcon gives the pixmap its ratio.
    const QPixmap normal = SvgArt::pixmap(m_resource, size, 1.0);
    if (mode == QIcon::Normal || normal.isNull())
        return normal;
    // Disabled, active and selected looks as the style draws them for any icon.
    QStyleOption option;
    option.palette = QApplication::palette();
    return QApplication::style()->generatedIconPixmap(mode, normal, &option);
}

QList<QSize> SvgIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    Q_UNUSED(mode)
    Q_UNUSED(state)
    return offeredSizes();
}

QString SvgIconEngine::key() const
{
    return QStringLiteral("SvgIconEngine");
}

QIconEngine* SvgIconEngine::clone() const
{
    return new SvgIconEngine(m_resource);
}
