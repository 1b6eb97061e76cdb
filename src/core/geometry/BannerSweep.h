#pragma once

#include <QRectF>

// The light band that sweeps over a banner: each tick lights one 60-twip strip from the lit
// picture and restores the strip lit on the previous tick from the plain one. Both the main
// window and the About window run it; the arithmetic is in twips.
class BannerSweep
{
public:
    static constexpr double StripWidth = 60;
    // Size of the banner's image holders (258 x 52 pixels).
    static constexpr double PictureWidth = 3870;
    static constexpr double PictureHeight = 780;

    struct Tick
    {
        QRectF lit;      // strip to copy from the lit picture
        QRectF restored; // strip to copy from the plain picture; null when nothing is restored
    };

    // One tick at position x (twips, single precision as the window keeps it); advances x and
    // wraps it to 0 once it passes the lit picture's width.
    static Tick advance(float& x, double litWidth = PictureWidth, double litHeight = PictureHeight,
                        double plainHeight = PictureHeight);
};
