#include "widgets/controls/BannerEffects.h"

#include "widgets/controls/BannerPicture.h"
#include "widgets/controls/LinkLabel.h"

#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

BannerEffects::BannerEffects(QWidget* window, BannerPicture* banner, Picture lit, Picture plain,
                             float* position)
    : QObject(window), m_window(window), m_banner(banner), m_lit(std::move(lit)),
      m_plain(std::move(plain)), m_position(position), m_timer(new QTimer(window))
{
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &BannerEffects::sweepTick);
    window->setMouseTracking(true);
    window->installEventFilter(this);
}

void BannerEffects::addLink(LinkLabel* link)
{
    m_links << link;
    connect(link, &LinkLabel::hovered, this, &BannerEffects::linkHovered);
    connect(link, &LinkLabel::released, this, &BannerEffects::resetLinks);
}

void BannerEffects::watchBackground(QWidget* widget)
{
    m_backgrounds << widget;
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

void BannerEffects::sweepTick()
{
    m_banner->sweepTick(*m_position, m_lit(), m_plain());
}

void BannerEffects::start()
{
    m_timer->start();
}

// Links stay underlined whatever their colour: told apart from text by colour alone, they
// would be lost on a reader who cannot see the colour.
void BannerEffects::resetLinks()
{
    for (LinkLabel* link : std::as_const(m_links))
        link->setLook(LinkLabel::Look::Plain);
}

// The link under the pointer shows itself red; every other one turns plain.
void BannerEffects::linkHovered(int index)
{
    for (LinkLabel* link : std::as_const(m_links)) {
        if (link->index() != index)
            link->setLook(LinkLabel::Look::Plain);
    }
}

bool BannerEffects::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == m_window) {
            // Moves over controls that pass them on do not count as the background.
            const auto* move = static_cast<QMouseEvent*>(event);
            if (!m_window->childAt(move->position().toPoint()))
                resetLinks();
        } else if (m_backgrounds.contains(watched)) {
            resetLinks();
        }
    }
    return QObject::eventFilter(watched, event);
}
