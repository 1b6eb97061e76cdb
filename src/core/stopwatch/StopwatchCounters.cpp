#include "core/stopwatch/StopwatchCounters.h"

#include <QElapsedTimer>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr qint64 NsPerMs = 1000000;
constexpr qint64 NsPerHundredth = 10 * NsPerMs;
constexpr qint64 NsPerSecond = 1000 * NsPerMs;

int ceilMs(qint64 ns)
{
    if (ns <= 0)
        return 0;
    return static_cast<int>(std::min<qint64>((ns + NsPerMs - 1) / NsPerMs, INT_MAX));
}

} // namespace

StopwatchCounters::StopwatchCounters()
{
    setClock({});
}

void StopwatchCounters::setClock(Clock clock)
{
    if (!clock) {
        // Process-wide monotonic clock; QElapsedTimer picks the monotonic source.
        clock = [] {
            static QElapsedTimer origin = [] {
                QElapsedTimer t;
                t.start();
                return t;
            }();
            return origin.nsecsElapsed();
        };
    }
    m_clock = std::move(clock);
}

void StopwatchCounters::start()
{
    if (m_running)
        return;
    m_startedAtNs = m_clock();
    m_running = true;
}

void StopwatchCounters::stop()
{
    if (!m_running)
        return;
    m_accumulatedNs += m_clock() - m_startedAtNs;
    m_running = false;
    // The ticks may lag the press: the reading is the time measured up to it. A second due
    // but not yet counted (its tick late, or a count of 100 hundredths) counts once, here.
    const qint64 due = runningNs() / NsPerSecond;
    if (due > m_counted) {
        m_counted = due;
        m_hundredths = 0;
    }
    m_hundredths =
        std::max(m_hundredths, static_cast<int>(std::min<qint64>(99, measuredHundredths())));
}

void StopwatchCounters::reset()
{
    m_counted = 0;
    m_hundredths = 0;
    m_accumulatedNs = 0;
    if (m_running)
        m_startedAtNs = m_clock();
}

qint64 StopwatchCounters::runningNs() const
{
    return m_accumulatedNs + (m_running ? m_clock() - m_startedAtNs : 0);
}

qint64 StopwatchCounters::measuredHundredths() const
{
    return std::max<qint64>(0, (runningNs() - m_counted * NsPerSecond) / NsPerHundredth);
}

void StopwatchCounters::tick10()
{
    // On time this is one step; a step past the measured time would run fast, and wrapping
    // to 0 here would drop a whole second until the second's own tick arrives.
    const int bound = static_cast<int>(std::min<qint64>(99, measuredHundredths()));
    m_hundredths = std::max(m_hundredths, bound);
}

void StopwatchCounters::tick100()
{
    // 100 stays until the whole-second tick counts it.
    if (m_hundredths > 99)
        return;
    const int lifted = (m_hundredths / 10 + 1) * 10;
    const int bound = static_cast<int>(std::min<qint64>(100, measuredHundredths()));
    m_hundredths = std::max(m_hundredths, std::min(lifted, bound));
}

void StopwatchCounters::tick1000()
{
    m_counted = std::max(m_counted + 1, runningNs() / NsPerSecond);
    // 0 on time; a late tick must not set the new second back to its start.
    m_hundredths = static_cast<int>(std::min<qint64>(99, measuredHundredths()));
}

int StopwatchCounters::msToNextTick(int intervalMs, int notBeforeMs) const
{
    const qint64 interval = qint64(intervalMs) * NsPerMs;
    const qint64 now = runningNs();
    const qint64 next = (now / interval + 1) * interval;
    const qint64 earliest = now + qint64(std::max(0, notBeforeMs)) * NsPerMs;
    const qint64 inStep = (earliest + interval - 1) / interval * interval;
    return ceilMs(std::max(next, inStep) - now);
}

int StopwatchCounters::msToNextSecond() const
{
    return ceilMs((m_counted + 1) * NsPerSecond - runningNs());
}

double StopwatchCounters::exactReading() const
{
    return double(minutes() * 60 + seconds()) + double(m_hundredths) / 100.0;
}

int StopwatchCounters::reading() const
{
    // The default rounding mode sends a half to the even neighbour.
    return static_cast<int>(std::nearbyint(exactReading()));
}

QString StopwatchCounters::text() const
{
    return TwoDigit(minutes()) + QLatin1Char(':') + TwoDigit(seconds()) + QLatin1Char(':') +
           TwoDigit(m_hundredths);
}

QString StopwatchCounters::TwoDigit(int i)
{
    const QString digits = QString::number(i);
    return digits.size() == 1 ? QLatin1Char('0') + digits : digits;
}
