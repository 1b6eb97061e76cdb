#pragma once

#include "windows/stopwatch/ReadingGlyphs.h"

#include <QColor>
#include <QFont>
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
    // Repaints the changed digits at once, and only when the text changes: a running
    // stopwatch calls this on every 10 ms tick.
    void setText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_background;
    QColor m_surround;
    QFont m_font;
    ReadingGlyphs m_glyphs;
    int m_ascent = 0;
    QString m_text;
};
