#pragma once

#include "core/assessment/InputRange.h"
#include "core/stopwatch/StopwatchTarget.h"

#include <QObject>

#include <functional>

class QAction;
class QLabel;
class QRect;
class QToolBar;
class QWidget;
class Slider;

// One input of the main window: its caption, its slider and the label that shows the value,
// and for a timed test the stopwatch button beside them. The label is written from the
// slider's position, never read back.
class InputRow : public QObject
{
    Q_OBJECT
public:
    using ValueText = std::function<QString(int value)>;

    // The parts are made in the order they are added, which is the window's order of controls.
    InputRow(QWidget* parent, const InputRange& range);
    // Starts drawing the stopwatch buttons' icon for that pixel ratio on another thread.
    static void prepare(qreal devicePixelRatio);

    static QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text,
                             const QRect& geometry, Qt::Alignment align = Qt::AlignLeft);
    QLabel* addCaption(const QString& name, const QString& text, const QRect& geometry);
    // The input's range is set by setUp().
    Slider* addSlider(const QString& name, const QRect& geometry, const QString& accessibleName);
    // text: what the label reads for the input's value (in its own unit).
    QLabel* addValueLabel(const QString& name, const QRect& geometry, ValueText text);
    // For inputs that share one label (the two pressures): this row writes that label too.
    void showValueIn(QLabel* label, ValueText text);
    // Emits stopwatchRequested with target when pressed.
    QAction* addStopwatchButton(const QString& name, const QRect& geometry, StopwatchTarget target,
                                const QString& accessibleName);

    // Maximum, minimum, then the start position; the label follows.
    void setUp();
    // Moves the slider (kept within its range) and rewrites the label.
    void setPosition(int position);
    int position() const;
    // The input in its own unit (mmHg for the pressures).
    int value() const;
    // Rewrites the label from the slider's position.
    void refresh();
    // The slider and the stopwatch button follow; the caption and the label grey out.
    void setActive(bool active);

    const InputRange& range() const { return m_range; }
    Slider* slider() const { return m_slider; }
    QLabel* caption() const { return m_caption; }
    QLabel* valueLabel() const { return m_valueLabel; }
    QAction* stopwatchButton() const { return m_stopwatch; }
    // The button as a widget, for the Tab chain; none for an untimed input.
    QWidget* stopwatchWidget() const;

signals:
    void stopwatchRequested(StopwatchTarget target);

private:
    QWidget* m_parent;
    InputRange m_range;
    Slider* m_slider = nullptr;
    QLabel* m_caption = nullptr;
    QLabel* m_valueLabel = nullptr;
    ValueText m_text;
    QToolBar* m_stopwatchBar = nullptr;
    QAction* m_stopwatch = nullptr;
};
