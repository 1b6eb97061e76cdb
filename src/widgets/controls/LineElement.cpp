#include "widgets/controls/LineElement.h"

#include <QWidget>

LineElement::LineElement(QObject* parent) : QObject(parent) {}

void LineElement::setPoints(double x1, double y1, double x2, double y2)
{
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    changed();
}

void LineElement::setX1(double x1)
{
    m_x1 = x1;
    changed();
}

void LineElement::setColor(const QColor& color)
{
    m_color = color;
    changed();
}

void LineElement::changed()
{
    if (auto* host = qobject_cast<QWidget*>(parent()))
        host->update();
}
