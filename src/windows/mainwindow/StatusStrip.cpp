#include "windows/mainwindow/StatusStrip.h"

#include <QPainter>

StatusStrip::StatusStrip(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
}

void StatusStrip::paintEvent(QPaintEvent* event)
{
    QStatusBar::paintEvent(event);
    QPainter p(this);
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(0, 0, width() - 1, 0);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(0, 1, width() - 1, 1);
}
