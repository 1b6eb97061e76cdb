#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Window geometry is designed in twips; 15 twips are one logical pixel. Qt's high-DPI
// scaling takes it from logical to device pixels.
class Twips
{
public:
    static constexpr int PerPixel = 15;

    static int px(double twips);
    static double fromPx(double pixels) { return pixels * PerPixel; }
    static QRect rect(double left, double top, double width, double height);
    static QSize size(double width, double height);
    static QPoint point(double x, double y);
};
