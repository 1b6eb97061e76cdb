#include "windows/mainwindow/MainBanner.h"

#include "core/geometry/BannerSweep.h"
#include "widgets/controls/BannerEffects.h"
#include "widgets/controls/BannerPicture.h"
#include "widgets/controls/LinkLabel.h"
#include "widgets/controls/Panel3d.h"
#include "widgets/support/SvgArt.h"
#include "widgets/support/Twips.h"

#include <QLabel>

namespace {

QSize bannerSize()
{
    return Twips::size(BannerSweep::PictureWidth, BannerSweep::PictureHeight);
}

QString linkPicture()
{
    return QStringLiteral(":/icons/link.svg");
}

constexpr QSize LinkIconSize(24, 24);

} // namespace

void MainBanner::prepare(qreal devicePixelRatio)
{
    SvgArt::prepare(BannerPicture::art(false), bannerSize(), devicePixelRatio);
    SvgArt::prepare(linkPicture(), LinkIconSize, devicePixelRatio);
    // For the first sweep step, a tenth of a second after the window shows.
    SvgArt::prepare(BannerPicture::art(true), bannerSize(), devicePixelRatio);
}

MainBanner::MainBanner(QWidget* window) : QObject(window)
{
    m_banner = new BannerPicture(window);
    m_banner->setObjectName(QStringLiteral("Picture5"));
    m_banner->setGeometry(Twips::rect(0, -15, 8775, 750));
    const qreal dpr = window->devicePixelRatioF();
    m_banner->setPicture(SvgArt::pixmap(BannerPicture::art(false), bannerSize(), dpr));
    m_banner->setAccessibleName(QStringLiteral("Kalder Vitalon"));

    auto* linkBand = new QWidget(window);
    linkBand->setObjectName(QStringLiteral("Picture6"));
    linkBand->setGeometry(Twips::rect(8775, 0, 2220, 735));
    linkBand->setAutoFillBackground(true);
    QPalette white = linkBand->palette();
    white.setColor(QPalette::Window, Qt::white);
    linkBand->setPalette(white);

    auto* linkIcon = new QLabel(linkBand);
    linkIcon->setObjectName(QStringLiteral("Image1"));
    linkIcon->setGeometry(Twips::rect(120, 180, 360, 360));
    linkIcon->setPixmap(SvgArt::pixmap(linkPicture(), LinkIconSize, dpr));

    m_aboutLink = new LinkLabel(tr("О программе"), 1, linkBand);
    m_aboutLink->setGeometry(Twips::rect(540, 240, 1365, 255));
    connect(m_aboutLink, &LinkLabel::activated, this, &MainBanner::aboutActivated);

    auto* rule = new Panel3d(window);
    rule->setObjectName(QStringLiteral("Panel3d2"));
    rule->setGeometry(Twips::rect(-30, 735, 11115, 30));

    m_effects = new BannerEffects(
        window, m_banner, [this]() -> const QPixmap& { return litBanner(); },
        [this]() -> const QPixmap& { return m_plain; }, &m_sweepX);
    m_effects->addLink(m_aboutLink);
    m_effects->watchBackground(m_banner);
    m_effects->watchBackground(linkBand);
}

const QPixmap& MainBanner::litBanner() const
{
    if (!m_litDrawn) {
        m_litDrawn = true;
        // At the plain banner's pixel ratio, so that strips copy one to one.
        m_lit = SvgArt::pixmap(BannerPicture::art(true), bannerSize(), m_plain.devicePixelRatio());
    }
    return m_lit;
}

void MainBanner::start()
{
    m_plain = m_banner->picture();
    m_effects->start();
}

void MainBanner::sweepTick()
{
    m_effects->sweepTick();
}
