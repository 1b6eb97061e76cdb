#pragma once

#include "windows/stopwatch/ReadingGlyphs.h"

#include <QColor>
#include <QElapsedTimer>
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
    // stopwatch calls this on every 10 ms tick. Within one frame of the screen after the last
    // paint the text waits for the next call or for flush(): a screen of 60 frames a second
    // would never show every second of 100 paints a second.
    void setText(const QString& text);
    // Paints a text that is still waiting.
    void flush();
    // Milliseconds until setText() paints again; 0 when it would paint now.
    int msToNextFrame() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int frameMs() const;

    QPixmap m_background;
    QColor m_surround;
    QFont m_font;
    ReadingGlyphs m_glyphs;
    int m_ascent = 0;
    QString m_text;
    QString m_shown; // the text on the screen
    QElapsedTimer m_sincePaint;
};
