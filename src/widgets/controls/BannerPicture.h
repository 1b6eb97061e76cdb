#pragma once

#include <QPixmap>
#include <QWidget>

// A picture box: paints a backing picture on a white ground and can copy a rectangle of
// another picture onto it, repainting only that rectangle.
class BannerPicture : public QWidget
{
    Q_OBJECT
public:
    explicit BannerPicture(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return m_picture; }

    // Copies rect (twips, same place in both pictures) of source onto the picture. A missing
    // source or an empty picture is ignored.
    void copyFrom(const QPixmap& source, const QRectF& twipRect);

    // One tick of the light band at position x: lit strip from lit, previous strip from plain.
    void sweepTick(float& x, const QPixmap& lit, const QPixmap& plain);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};
