#include "widgets/controls/Panel3d.h"

#include "widgets/controls/ControlsAccessibility.h"
#include "widgets/controls/LineElement.h"
#include "widgets/support/ButtonState.h"
#include "widgets/support/SystemColor.h"
#include "widgets/support/Twips.h"

#include <QMouseEvent>
#include <QPainter>

Panel3d::Panel3d(QWidget* parent) : QWidget(parent)
{
    ControlsAccessibility::install();
    Panel3d_Resize();
}

void Panel3d::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Panel3d_Resize();
}

void Panel3d::Panel3d_Resize()
{
    const double W = Twips::fromPx(width());
    const double H = Twips::fromPx(height());
    m_line1.x2 = W - 15;
    m_line3.x1 = m_line1.x2;
    m_line3.x2 = m_line3.x1;
    m_line3.y2 = H - 15;
    m_line2.y2 = m_line3.y2;
    m_line2.y1 = m_line2.y2;
    m_line2.x2 = m_line1.x2 + 15;
    m_line4.y2 = m_line2.y1 - 15;
}

namespace {

// One logical pixel wide and pixel-aligned at any device-pixel ratio: a straight line is
// filled as a run of pixel cells, end points included. A line of no length is one pixel.
void drawTwipLine(QPainter& p, double x1, double y1, double x2, double y2, const QColor& color)
{
    const QPoint a = Twips::point(x1, y1);
    const QPoint b = Twips::point(x2, y2);
    if (a.x() == b.x() || a.y() == b.y()) {
        p.fillRect(QRect(QPoint(qMin(a.x(), b.x()), qMin(a.y(), b.y())),
                         QPoint(qMax(a.x(), b.x()), qMax(a.y(), b.y()))),
                   color);
        return;
    }
    p.setPen(QPen(color, 1, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(a, b);
}

void drawTwipLine(QPainter& p, const Panel3d::Line& l, const QColor& color)
{
    drawTwipLine(p, l.x1, l.y1, l.x2, l.y2, color);
}

} // namespace

void Panel3d::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor shadow = SystemColor::system(16, palette());
    const QColor light = SystemColor::system(20, palette());
    drawTwipLine(p, m_line1, shadow);
    drawTwipLine(p, m_line4, shadow);
    drawTwipLine(p, m_line2, light);
    drawTwipLine(p, m_line3, light);
    const auto children = findChildren<LineElement*>(QString(), Qt::FindDirectChildrenOnly);
    for (const LineElement* line : children)
        drawTwipLine(p, line->x1(), line->y1(), line->x2(), line->y2(), line->color());
}

void Panel3d::mousePressEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    emit MouseDown(ButtonState::fromQt(event->buttons() | event->button()),
                   static_cast<float>(Twips::fromPx(pos.x())),
                   static_cast<float>(Twips::fromPx(pos.y())));
}
