#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPixmap>
#include <QString>
#include <QWidget>

// The stopwatch's display: a fixed background picture with the reading drawn over it.
class StopwatchDisplay : public QWidget
{
    Q_OBJECT
public:
    explicit StopwatchDisplay(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    // Repaints this widget alone, and only when the text changes.
    void setText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_background;
    QColor m_surround;
    QFont m_font;
    QFontMetricsF m_metrics{QFont()};
    QString m_text;
};
