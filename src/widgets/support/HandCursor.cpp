#include "widgets/support/HandCursor.h"

#include "widgets/support/SvgArt.h"

#include <QGuiApplication>

namespace {

constexpr int Size = 32;
constexpr QPoint Fingertip(6, 0);

QString picture()
{
    return QStringLiteral(":/cursors/hand.svg");
}

} // namespace

QCursor HandCursor::make(qreal devicePixelRatio)
{
    const QPixmap hand = SvgArt::pixmap(picture(), QSize(Size, Size), devicePixelRatio);
    if (hand.isNull())
        return QCursor(Qt::PointingHandCursor);
    const QPoint hot = hotSpot(devicePixelRatio, QGuiApplication::platformName());
    return QCursor(hand, hot.x(), hot.y());
}

void HandCursor::prepare(qreal devicePixelRatio)
{
    SvgArt::prepare(picture(), QSize(Size, Size), devicePixelRatio);
}

QPoint HandCursor::hotSpot(qreal devicePixelRatio, const QString& platformName)
{
    const qreal scale = platformName == QLatin1String("xcb") ? devicePixelRatio : 1;
    return QPoint(qRound(Fingertip.x() * scale), qRound(Fingertip.y() * scale));
}
