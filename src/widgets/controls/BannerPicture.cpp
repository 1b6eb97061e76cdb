#include "widgets/controls/BannerPicture.h"

#include "core/app/DisplayLocale.h"
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

QRect BannerPicture::copyStrip(QPainter& p, const QPixmap& source, const QRectF& twipRect)
{
    if (source.isNull())
        return {};
    const QRectF target(twipRect.x() / Twips::PerPixel, twipRect.y() / Twips::PerPixel,
                        twipRect.width() / Twips::PerPixel, twipRect.height() / Twips::PerPixel);
    const qreal dpr = source.devicePixelRatio();
    const QRectF from(target.x() * dpr, target.y() * dpr, target.width() * dpr,
                      target.height() * dpr);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawPixmap(target, source, from);
    return target.toAlignedRect();
}

void BannerPicture::sweepTick(float& x, const QPixmap& lit, const QPixmap& plain)
{
    const BannerSweep::Tick tick = BannerSweep::advance(x);
    if (m_picture.isNull())
        return;
    // Both strips in one painter and one synchronous repaint: a tick costs one paint of the
    // two strips and one flush, with no update request queued for later.
    QPainter p(&m_picture);
    QRegion changed = copyStrip(p, lit, tick.lit);
    if (!tick.restored.isNull())
        changed += copyStrip(p, plain, tick.restored);
    p.end();
    if (!changed.isEmpty())
        repaint(changed);
}

void BannerPicture::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    // The painter is clipped to the region being repainted already.
    QPainter p(this);
    p.drawPixmap(0, 0, m_picture);
}

QString BannerPicture::art(bool lit)
{
    if (DisplayLocale::isRussian())
        return lit ? QStringLiteral(":/banner/banner-lit.svg")
                   : QStringLiteral(":/banner/banner.svg");
    return lit ? QStringLiteral(":/banner/banner-lit-en.svg")
               : QStringLiteral(":/banner/banner-en.svg");
}
