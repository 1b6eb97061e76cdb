#include "widgets/controls/SliderThumb.h"

#include "widgets/support/ButtonState.h"
#include "widgets/support/SvgArt.h"
#include "widgets/support/Twips.h"

#include <QMouseEvent>
#include <QPainter>

SliderThumb::SliderThumb(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void SliderThumb::setPicture(const QString& resource)
{
    if (resource == m_picture)
        return;
    m_picture = resource;
    update();
}

void SliderThumb::paintEvent(QPaintEvent*)
{
    if (m_picture.isEmpty())
        return;
    QPainter p(this);
    p.drawPixmap(0, 0, SvgArt::pixmap(m_picture, size(), devicePixelRatioF()));
}

void SliderThumb::mousePressEvent(QMouseEvent* event)
{
    // A press on the thumb leaves it where it is; only moves drag it.
    event->accept();
}

void SliderThumb::mouseMoveEvent(QMouseEvent* event)
{
    emit MouseMove(ButtonState::fromQt(event->buttons()), Twips::fromPx(event->position().x()));
}
