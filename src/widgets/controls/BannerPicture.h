#pragma once

#include <QPixmap>
#include <QWidget>

class QPainter;

// A picture box: paints a backing picture on a white ground; the sweep copies strips of other
// pictures onto it, repainting only those strips.
class BannerPicture : public QWidget
{
    Q_OBJECT
public:
    explicit BannerPicture(QWidget* parent = nullptr);

    // The banner's artwork, plain or lit, with its tagline in the interface's language.
    static QString art(bool lit);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return m_picture; }

    // One tick of the light band at position x: lit strip from lit, previous strip from plain.
    // A missing picture is skipped; the band still moves on. Only the two strips repaint.
    void sweepTick(float& x, const QPixmap& lit, const QPixmap& plain);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Copies rect (twips, same place in both pictures) of source onto the picture through p;
    // returns the pixels changed, none for a missing source.
    QRect copyStrip(QPainter& p, const QPixmap& source, const QRectF& twipRect);

    QPixmap m_picture;
};
