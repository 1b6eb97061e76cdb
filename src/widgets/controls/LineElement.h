#pragma once

#include <QColor>
#include <QObject>

// A one-pixel line a host places inside a panel, in the panel's twips. The panel it is a
// child of draws it over its own edges and repaints when it changes.
class LineElement : public QObject
{
    Q_OBJECT
public:
    explicit LineElement(QObject* parent = nullptr);

    double x1() const { return m_x1; }
    double y1() const { return m_y1; }
    double x2() const { return m_x2; }
    double y2() const { return m_y2; }
    QColor color() const { return m_color; }

    void setPoints(double x1, double y1, double x2, double y2);
    void setX1(double x1);
    void setColor(const QColor& color);

private:
    void changed();

    double m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    QColor m_color;
};
