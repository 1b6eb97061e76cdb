#include "widgets/support/Artwork.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

QPixmap Artwork::pixmap(const QString& resource, const QSize& size, qreal devicePixelRatio)
{
    QSvgRenderer renderer(resource);
    if (!renderer.isValid())
        return QPixmap();
    QPixmap picture(size * devicePixelRatio);
    picture.fill(Qt::transparent);
    {
        QPainter p(&picture);
        renderer.render(&p);
    }
    picture.setDevicePixelRatio(devicePixelRatio);
    return picture;
}

QCursor Artwork::handCursor()
{
    const QString resource = QStringLiteral(":/cursors/hand.svg");
    if (!QFile::exists(resource))
        return QCursor(Qt::PointingHandCursor);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpr = screen ? screen->devicePixelRatio() : 1.0;
    const QPixmap hand = pixmap(resource, QSize(32, 32), dpr);
    if (hand.isNull())
        return QCursor(Qt::PointingHandCursor);
    return QCursor(hand, 6, 0);
}
