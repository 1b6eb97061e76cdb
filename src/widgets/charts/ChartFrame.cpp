#include "widgets/charts/ChartFrame.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWidget>

void ChartFrame::prepare(QWidget* widget)
{
    widget->setFocusPolicy(Qt::TabFocus);
}

int ChartFrame::margin(const QWidget*)
{
    return 3;
}

QRectF ChartFrame::contents(const QWidget* widget)
{
    const int m = margin(widget);
    return QRectF(widget->rect().adjusted(m, m, -m, -m));
}

void ChartFrame::paintFocus(QPainter& painter, const QWidget* widget)
{
    if (!widget->hasFocus())
        return;
    QStyleOptionFocusRect option;
    option.initFrom(widget);
    option.backgroundColor = widget->palette().color(QPalette::Window);
    widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, widget);
}
