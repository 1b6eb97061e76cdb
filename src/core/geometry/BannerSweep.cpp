#include "core/geometry/BannerSweep.h"

BannerSweep::Tick BannerSweep::advance(float& x, double litWidth, double litHeight,
                                       double plainHeight)
{
    Tick tick;
    tick.lit = QRectF(x, 0, StripWidth, litHeight);
    if (x >= StripWidth)
        tick.restored = QRectF(x - StripWidth, 0, StripWidth, plainHeight);
    x = static_cast<float>(x + StripWidth);
    if (x > litWidth)
        x = 0;
    return tick;
}
