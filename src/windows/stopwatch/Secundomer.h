#pragma once

#include "core/stopwatch/StopwatchCounters.h"
#include "core/stopwatch/StopwatchTarget.h"

#include <QDialog>
#include <QList>
#include <QString>

class Panel3d;
class QAction;
class QPushButton;
class QTimer;
class QToolBar;
class StopwatchDisplay;

// The stopwatch window. Opened modally for a test (breath-holding or balance) or for free
// use; for a test, Ok hands the reading back through handBack. Space acts as a click of the
// start or stop button wherever the focus is; Enter presses Ok when Ok has the focus; no
// other key does anything.
class Secundomer : public QDialog
{
    Q_OBJECT
public:
    explicit Secundomer(QWidget* parent = nullptr);
    ~Secundomer() override;

    StopwatchTarget target() const { return m_target; }
    void setTarget(StopwatchTarget target) { m_target = target; }

    // Index of the toolbar button that Space clicks: 2 start while stopped, 3 stop while running.
    int nextButton() const { return m_nextButton; }

    // The counters behind the display (tests give them a clock they move by hand).
    StopwatchCounters& counters() { return m_counters; }
    const StopwatchCounters& counters() const { return m_counters; }

    // Closing stops the timers: a window kept after its closing does not go on ticking.
    void done(int result) override;

public slots:
    // The tick handlers of the 10 ms, 100 ms and 1000 ms timers.
    void Timer1_Timer();
    void Timer3_Timer();
    void Timer2_Timer();

signals:
    // Raised by Ok before the window closes: the reading in whole seconds.
    void handBack(StopwatchTarget target, int reading);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    void Toolbar1_ButtonClick(int index);
    void Command1_Click();
    void RefEkran();
    QAction* button(int index) const { return m_buttons.at(index - 1); }

    StopwatchCounters m_counters;
    StopwatchTarget m_target = StopwatchTarget::None;
    int m_nextButton = 2;

    StopwatchDisplay* m_picture1 = nullptr;
    Panel3d* m_panel3d1 = nullptr;
    QToolBar* m_toolbar1 = nullptr;
    QList<QAction*> m_buttons; // toolbar buttons by index 1..5
    QPushButton* m_command1 = nullptr;
    QTimer* m_timer1 = nullptr;
    QTimer* m_timer3 = nullptr;
    QTimer* m_timer2 = nullptr;
};
