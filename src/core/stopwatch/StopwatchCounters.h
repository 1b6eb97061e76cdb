#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// The stopwatch's counters and its three tick rules, free of widgets so that ticks can be
// driven directly. The counters move on timer ticks, but a monotonic clock over the running
// periods since the last reset keeps them true: no tick moves the reading past the time
// measured, and the whole-second tick catches up seconds that late or dropped ticks (a busy
// user-interface thread) would otherwise lose.
class StopwatchCounters
{
public:
    // A monotonic time in nanoseconds from any origin.
    using Clock = std::function<qint64()>;

    StopwatchCounters();

    // Replaces the monotonic clock (tests use a clock they move by hand).
    void setClock(Clock clock);

    int minutes() const { return static_cast<int>((m_counted / 60) % 60); }
    int seconds() const { return static_cast<int>(m_counted % 60); }
    // 0..99; 100 for the moment between the tenth that completes a second and its count.
    int hundredths() const { return m_hundredths; }

    bool isRunning() const { return m_running; }
    // Start or resume: the clock runs on from the time of the last stop.
    void start();
    // Stop at the time measured so far: every whole second due is counted and the
    // hundredths taken up to the moment, whether or not the ticks have run.
    void stop();
    // Counters and measured time to zero.
    void reset();
    // Time measured over all running periods since the last reset.
    qint64 runningNs() const;

    // Every 10 ms: the hundredths step on up to the time measured (never to 100).
    void tick10();
    // Every 100 ms: the hundredths are lifted to the next tenth, if the time measured has got
    // there.
    void tick100();
    // Every 1000 ms: the seconds advance by one, or to the whole seconds measured when ticks
    // have been lost, and the hundredths restart (from the time measured into the new second
    // when the tick is late). Minutes wrap after 59 to 0.
    void tick1000();

    // Milliseconds until the next tick of a timer with this interval (10 or 100), in step
    // with the time measured, so that a resumed or delayed timer keeps its place. With
    // notBeforeMs, the first tick in step that is at least that far away.
    int msToNextTick(int intervalMs, int notBeforeMs = 0) const;
    // Milliseconds until the time measured completes the next second to be counted; 0 when
    // that second is already due.
    int msToNextSecond() const;

    // The reading in seconds: minutes × 60 + seconds + hundredths / 100.
    double exactReading() const;
    // The reading rounded to whole seconds, a half going to the even neighbour.
    int reading() const;

    // The display text, minutes:seconds:hundredths.
    QString text() const;
    // The digits of i, at least two of them.
    static QString TwoDigit(int i);

private:
    // Hundredths measured beyond the seconds counted so far (not below 0).
    qint64 measuredHundredths() const;

    Clock m_clock;
    qint64 m_counted = 0; // whole seconds counted since the last reset
    int m_hundredths = 0;
    bool m_running = false;
    qint64 m_accumulatedNs = 0; // closed running periods
    qint64 m_startedAtNs = 0;   // clock at the start of the open period
};
