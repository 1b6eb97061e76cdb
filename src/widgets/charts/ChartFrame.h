#pragma once

#include <QRectF>

class QPainter;
class QWidget;

// What the chart widgets share: they take focus by Tab, so that a keyboard and a screen reader
// reach them, and show it with the style's focus frame in a margin around the drawing.
class ChartFrame
{
public:
    static void prepare(QWidget* widget);
    static int margin(const QWidget* widget);
    static QRectF contents(const QWidget* widget);
    static void paintFocus(QPainter& painter, const QWidget* widget);
};
