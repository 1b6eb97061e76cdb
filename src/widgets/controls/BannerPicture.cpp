#include "widgets/controls/BannerPicture.h"

#include "core/geometry/BannerSweep.h"
#include "widgets/support/Twips.h"

#include <QPaintEvent>
#include <QPainter>

BannerPicture::BannerPicture(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    // The banner is drawn on white by design, whatever the theme.
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void BannerPicture::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

void BannerPicture::copyFrom(const QPixmap& source, const QRectF& twipRect)
{
    if (source.isNull() || m_picture.isNull())
        return;
    const QRectF target(twipRect.x() / Twips::PerPixel, twipRect.y() / Twips::PerPixel,
                        twipRect.width() / Twips::PerPixel, twipRect.height() / Twips::PerPixel);
    const qreal dpr = source.devicePixelRatio();
    const QRectF from(target.x() * dpr, target.y() * dpr, target.width() * dpr,
                      target.height() * dpr);
    {
        QPainter p(&m_picture);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawPixmap(target, source, from);
    }
    update(target.toAlignedRect());
}

void BannerPicture::sweepTick(float& x, const QPixmap& lit, const QPixmap& plain)
{
    const BannerSweep::Tick tick = BannerSweep::advance(x);
    copyFrom(lit, tick.lit);
    if (!tick.restored.isNull())
        copyFrom(plain, tick.restored);
}

void BannerPicture::paintEvent(QPaintEvent* event)
{
    if (m_picture.isNull())
        return;
    QPainter p(this);
    p.setClipRegion(event->region());
    p.drawPixmap(0, 0, m_picture);
}
