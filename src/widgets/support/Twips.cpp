#include "widgets/support/Twips.h"

#include <cmath>

int Twips::px(double twips)
{
    return static_cast<int>(std::lround(twips / PerPixel));
}

QRect Twips::rect(double left, double top, double width, double height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

QSize Twips::size(double width, double height)
{
    return QSize(px(width), px(height));
}

QPoint Twips::point(double x, double y)
{
    return QPoint(px(x), px(y));
}
