#include "controls/Panel3d.h"

#include "app/Twips.h"
#include "controls/SystemColor.h"

#include <QMouseEvent>
#include <QPainter>

Panel3d::Panel3d(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    Panel3d_Resize();
}

void Panel3d::setChildLine(const Line& line, const QColor& color)
{
    m_child = line;
    m_childColor = color;
    m_hasChild = true;
    update();
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

// One-pixel, pixel-aligned line; a line of no length draws its single pixel.
void drawTwipLine(QPainter& p, const Panel3d::Line& l, const QColor& color)
{
    p.setPen(QPen(color, 0));
    const QPoint a = Twips::point(l.x1, l.y1);
    const QPoint b = Twips::point(l.x2, l.y2);
    if (a == b)
        p.drawPoint(a);
    else
        p.drawLine(a, b);
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
    if (m_hasChild)
        drawTwipLine(p, m_child, m_childColor);
}

void Panel3d::mousePressEvent(QMouseEvent* event)
{
    int button = 0;
    const Qt::MouseButtons held = event->buttons() | event->button();
    if (held & Qt::LeftButton)
        button |= 1;
    if (held & Qt::RightButton)
        button |= 2;
    if (held & Qt::MiddleButton)
        button |= 4;
    const QPointF pos = event->position();
    emit MouseDown(button, static_cast<float>(Twips::fromPx(pos.x())),
                   static_cast<float>(Twips::fromPx(pos.y())));
}
