// Runs the real stopwatch window for a while, once with the user-interface thread free and
// once with it blocked twice for 1.5 s, and reports how far the reading is from a monotonic
// clock and how much processor time the running stopwatch takes.
//
// usage: bench_stopwatch [SECONDS]   (default 60; the window is shown offscreen unless
//                                      QT_QPA_PLATFORM says otherwise)

#include "core/app/DisplayEnvironment.h"
#include "widgets/support/AppFonts.h"
#include "windows/stopwatch/Secundomer.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

qint64 processCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

struct Result
{
    double wallS = 0;
    double readingS = 0;
    double clockS = 0;
    double worstFreeMs = 0;  // worst sampled error while the thread was free
    double worstAfterMs = 0; // worst sampled error within 50 ms after a block
    double cpuPercent = 0;
};

void trigger(Secundomer& window, int index)
{
    for (QAction* action : window.findChildren<QAction*>(QStringLiteral("Buttons")))
        if (action->property("index").toInt() == index)
            action->trigger();
}

// One run of the given length. With run false the window is only open (the baseline).
Result measure(double seconds, bool run, int blocks)
{
    Secundomer window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        std::fprintf(stderr, "the window was not exposed\n");
    QTest::qWait(200);

    Result r;
    const qint64 lengthMs = qint64(seconds * 1000);
    QElapsedTimer clock;
    std::vector<std::pair<qint64, qint64>> blocked; // [start, end) in clock ns
    QEventLoop loop;

    std::function<void()> sample;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    // Sampled after the timer events due at the same moment have all been delivered, as a
    // click on "Стоп" would be.
    QObject::connect(&probe, &QTimer::timeout, [&] {
        QMetaObject::invokeMethod(
            &probe, [&] { sample(); }, Qt::QueuedConnection);
    });
    sample = [&] {
        const qint64 now = clock.nsecsElapsed();
        const double errorMs = window.counters().exactReading() * 1000 - now / 1e6;
        const bool justAfter = std::any_of(blocked.begin(), blocked.end(), [now](auto b) {
            return now >= b.first && now < b.second + 50000000;
        });
        double& worst = justAfter ? r.worstAfterMs : r.worstFreeMs;
        if (std::abs(errorMs) > std::abs(worst))
            worst = errorMs;
    };

    std::vector<QTimer*> timers;
    auto at = [&](qint64 ms, auto&& action) {
        auto* t = new QTimer(&window);
        t->setTimerType(Qt::PreciseTimer);
        t->setSingleShot(true);
        QObject::connect(t, &QTimer::timeout, action);
        timers.push_back(t);
        t->setInterval(int(ms));
    };
    for (int b = 1; b <= blocks; ++b) {
        at(lengthMs * b / (blocks + 1), [&] {
            const qint64 start = clock.nsecsElapsed();
            QThread::msleep(1500);
            blocked.emplace_back(start, clock.nsecsElapsed());
        });
    }
    at(lengthMs, [&] {
        if (run)
            trigger(window, 3);
        r.clockS = clock.nsecsElapsed() / 1e9;
        loop.quit();
    });

    const qint64 cpu0 = processCpuNs();
    clock.start();
    if (run) {
        trigger(window, 2);
        probe.start(97);
    }
    for (QTimer* t : timers)
        t->start();
    loop.exec();
    probe.stop();
    r.wallS = clock.nsecsElapsed() / 1e9;
    r.cpuPercent = double(processCpuNs() - cpu0) / 1e9 / r.wallS * 100;
    r.readingS = window.counters().exactReading();
    return r;
}

} // namespace

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The display connection as the program sets it up.
    const bool noSharedMemorySetHere = DisplayEnvironment::prepare();
    QApplication app(argc, argv);
    DisplayEnvironment::release(noSharedMemorySetHere);
    AppFonts::registerTahoma();
    const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 60.0;

    std::printf("%-32s %7s %10s %10s %9s %10s %10s %6s\n", "scenario", "run s", "reading s",
                "clock s", "error ms", "worst ms", "after ms", "CPU %");
    auto row = [](const char* name, const Result& r, bool run) {
        if (run)
            std::printf("%-32s %7.1f %10.3f %10.4f %9.1f %10.1f %10s %6.2f\n", name, r.wallS,
                        r.readingS, r.clockS, (r.readingS - r.clockS) * 1000, r.worstFreeMs,
                        r.worstAfterMs != 0 ? qPrintable(QString::number(r.worstAfterMs, 'f', 1))
                                            : "-",
                        r.cpuPercent);
        else
            std::printf("%-32s %7.1f %10s %10s %9s %10s %10s %6.2f\n", name, r.wallS, "-", "-", "-",
                        "-", "-", r.cpuPercent);
        std::fflush(stdout);
    };
    row("window open, stopwatch stopped", measure(std::min(seconds, 10.0), false, 0), false);
    row("running, thread free", measure(seconds, true, 0), true);
    row("running, 2 x 1.5 s blocked", measure(seconds, true, 2), true);
    std::printf("error: reading at the stop minus the monotonic clock; worst: largest sampled "
                "error (every 97 ms) while the thread was free; after: within 50 ms after a "
                "block\n");
    return 0;
}
