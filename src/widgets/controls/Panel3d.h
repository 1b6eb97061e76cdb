#pragma once

#include <QColor>
#include <QWidget>

// A one-pixel sunken frame: etched separators and the slider's groove. The end points
// of its four edge lines are kept in twips and follow the panel's size. A host may place
// LineElement children in it (the slider's fill line); they are drawn over the edges.
class Panel3d : public QWidget
{
    Q_OBJECT
public:
    struct Line
    {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        bool operator==(const Line& o) const
        {
            return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2;
        }
    };

    explicit Panel3d(QWidget* parent = nullptr);

    // Edge lines in the panel's own twips: Line1 top, Line2 bottom, Line3 right, Line4 left.
    const Line& line1() const { return m_line1; }
    const Line& line2() const { return m_line2; }
    const Line& line3() const { return m_line3; }
    const Line& line4() const { return m_line4; }

signals:
    // Any button press on the panel: Button is 1 left + 2 right + 4 middle; x, y in twips.
    void MouseDown(int Button, float x, float y);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Panel3d_Resize();

    Line m_line1{15, 0, 0, 0};
    Line m_line2{0, 0, 0, 0};
    Line m_line3{0, 0, 0, 0};
    Line m_line4{0, 0, 0, 0};
};
