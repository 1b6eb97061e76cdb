#pragma once

#include <QString>
#include <QWidget>

// The slider's thumb: shows one picture and hands pointer moves to the slider. It never
// takes the focus itself; a click on it focuses the slider, which runs the keyboard.
class SliderThumb : public QWidget
{
    Q_OBJECT
public:
    explicit SliderThumb(QWidget* parent = nullptr);

    // An SVG resource, drawn at the thumb's size and the screen's pixel density.
    void setPicture(const QString& resource);
    QString picture() const { return m_picture; }

signals:
    // The pointer moved while over the thumb or captured by it: buttons 1 left + 2 right +
    // 4 middle, x relative to the thumb's left edge in twips.
    void MouseMove(int buttons, double x);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QString m_picture;
};
