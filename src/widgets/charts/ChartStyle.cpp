#include "widgets/charts/ChartStyle.h"

#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>

QFontMetricsF ChartStyle::metrics(const QPainter& painter)
{
    return QFontMetricsF(painter.font(), painter.device());
}

double ChartStyle::unit(const QFontMetricsF& metrics)
{
    // The interface font is 11 to 14 pixels high; a line of it gets a one-pixel rule.
    return std::max(1.0, std::round(metrics.height() / 13.0));
}

double ChartStyle::snapX(const QPainter& painter, double x)
{
    const QTransform t = painter.deviceTransform();
    if (t.type() > QTransform::TxScale || t.m11() == 0)
        return x;
    return (std::round(x * t.m11() + t.dx()) - t.dx()) / t.m11();
}

double ChartStyle::snapY(const QPainter& painter, double y)
{
    const QTransform t = painter.deviceTransform();
    if (t.type() > QTransform::TxScale || t.m22() == 0)
        return y;
    return (std::round(y * t.m22() + t.dy()) - t.dy()) / t.m22();
}

QRectF ChartStyle::snapped(const QPainter& painter, const QRectF& rect)
{
    const double left = snapX(painter, rect.left());
    const double top = snapY(painter, rect.top());
    return QRectF(QPointF(left, top),
                  QPointF(snapX(painter, rect.right()), snapY(painter, rect.bottom())));
}

QColor ChartStyle::mix(const QColor& a, const QColor& b, double amount)
{
    const auto channel = [amount](double x, double y) { return x + (y - x) * amount; };
    return QColor::fromRgbF(channel(a.redF(), b.redF()), channel(a.greenF(), b.greenF()),
                            channel(a.blueF(), b.blueF()), channel(a.alphaF(), b.alphaF()));
}

QColor ChartStyle::tint(const QPalette& palette, double hue, double saturation, double step)
{
    const double window = palette.color(QPalette::Window).lightnessF();
    const double lightness = window >= 0.5 ? window - step : window + step;
    return QColor::fromHslF(hue / 360.0, saturation, std::clamp(lightness, 0.0, 1.0));
}
