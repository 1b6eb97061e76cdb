#include "core/stopwatch/StopwatchCounters.h"

#include <QtTest>

namespace {

constexpr qint64 Ms = 1000000;

// Counters on a clock the test moves by hand, started at time 0.
struct Fixture
{
    qint64 now = 0;
    StopwatchCounters counters;
    Fixture()
    {
        counters.setClock([this] { return now; });
        counters.start();
    }
    void at(qint64 ms) { now = ms * Ms; }
};

} // namespace

class TestStopwatchCounters : public QObject
{
    Q_OBJECT
private slots:
    void twoDigit_data()
    {
        QTest::addColumn<int>("i");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "00";
        QTest::newRow("7") << 7 << "07";
        QTest::newRow("42") << 42 << "42";
        QTest::newRow("100") << 100 << "100";
    }
    void twoDigit()
    {
        QFETCH(int, i);
        QFETCH(QString, text);
        QCOMPARE(StopwatchCounters::TwoDigit(i), text);
    }

    // The 100 ms tick lifts to the next tenth strictly above; the clock stands at the end
    // of the first second (its whole-second tick not yet arrived), so it bounds nothing.
    void tenthTickLiftsToNextTenth_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("0") << 0 << 10;
        QTest::newRow("37") << 37 << 40;
        QTest::newRow("90") << 90 << 100;
        QTest::newRow("95") << 95 << 100;
    }
    void tenthTickLiftsToNextTenth()
    {
        QFETCH(int, before);
        QFETCH(int, after);
        Fixture f;
        f.at(before * 10);
        f.counters.tick10();
        QCOMPARE(f.counters.hundredths(), before);
        f.at(1000);
        f.counters.tick100();
        QCOMPARE(f.counters.hundredths(), after);
    }

    void hundredHundredthsCountAsOneMoreSecond()
    {
        Fixture f;
        f.at(990);
        f.counters.tick10();
        f.at(1000);
        f.counters.tick100();
        QCOMPARE(f.counters.hundredths(), 100);
        QCOMPARE(f.counters.seconds(), 0);
        QCOMPARE(f.counters.exactReading(), 1.0);
        // Neither of the faster ticks turns it into a lost second before the second's tick.
        f.counters.tick10();
        f.counters.tick100();
        QCOMPARE(f.counters.exactReading(), 1.0);
        f.counters.tick1000();
        QCOMPARE(f.counters.text(), QStringLiteral("00:01:00"));
    }

    void minutesWrapAfterTheHour_data()
    {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("59:59") << qint64(3599000) << "59:59:00";
        QTest::newRow("the hour") << qint64(3600000) << "00:00:00";
        QTest::newRow("an hour and 5 s") << qint64(3605000) << "00:05:00";
    }
    void minutesWrapAfterTheHour()
    {
        QFETCH(qint64, ms);
        QFETCH(QString, text);
        Fixture f;
        f.at(ms);
        f.counters.tick1000();
        QCOMPARE(f.counters.text(), text);
    }

    void readingRoundsHalfToEven_data()
    {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<int>("reading");
        QTest::newRow("12.50") << qint64(12500) << 12;
        QTest::newRow("13.50") << qint64(13500) << 14;
        QTest::newRow("12.60") << qint64(12600) << 13;
        QTest::newRow("65.30") << qint64(65300) << 65;
        QTest::newRow("0.49") << qint64(490) << 0;
    }
    void readingRoundsHalfToEven()
    {
        QFETCH(qint64, ms);
        QFETCH(int, reading);
        Fixture f;
        if (ms >= 1000) {
            f.at(ms / 1000 * 1000);
            f.counters.tick1000();
        }
        f.at(ms);
        f.counters.tick10();
        QCOMPARE(f.counters.reading(), reading);
    }

    // Ticks delivered in the order a timer queue delivers them, every tick on time or late by
    // a fixed delay, with a 10 ms tick period of exactly 10 ms (a precise timer) or of a
    // coarse 15.6 ms system tick. The reading must never run ahead of the clock nor fall
    // more than one tick period behind. (Lifting on top of on-time 10 ms steps would count
    // each tenth twice.)
    void readingFollowsTheClock_data()
    {
        QTest::addColumn<qint64>("tenMsPeriodUs");
        QTest::addColumn<qint64>("lateUs");
        QTest::newRow("precise, on time") << qint64(10000) << qint64(0);
        QTest::newRow("precise, 3 ms late") << qint64(10000) << qint64(3000);
        QTest::newRow("coarse system tick") << qint64(15600) << qint64(0);
        // The display paces the 10 ms timer to the frames of a 60 Hz screen.
        QTest::newRow("every other tick") << qint64(20000) << qint64(0);
    }
    void readingFollowsTheClock()
    {
        QFETCH(qint64, tenMsPeriodUs);
        QFETCH(qint64, lateUs);
        Fixture f;
        qint64 next10 = tenMsPeriodUs, next100 = 100000, next1000 = 1000000;
        const qint64 endUs = 3500000;
        while (true) {
            const qint64 due = std::min({next10, next100, next1000});
            if (due > endUs)
                break;
            f.now = (due + lateUs) * 1000;
            if (due == next10) {
                f.counters.tick10();
                next10 += tenMsPeriodUs;
            } else if (due == next100) {
                f.counters.tick100();
                next100 += 100000;
            } else {
                f.counters.tick1000();
                next1000 += 1000000;
            }
            const qint64 readingUs = qRound64(f.counters.exactReading() * 100) * 10000;
            const qint64 lagUs = f.now / 1000 - readingUs;
            QVERIFY2(
                lagUs >= 0 && lagUs < tenMsPeriodUs + lateUs + 10000,
                qPrintable(QStringLiteral("%1 at %2 us").arg(f.counters.text()).arg(f.now / 1000)));
        }
        QCOMPARE(f.counters.seconds(), 3);
    }

    // A busy user-interface thread delays ticks and drops the ones it cannot deliver; the
    // whole-second tick then counts the seconds measured, not one.
    void wholeSecondTickCatchesUpAfterAStall()
    {
        Fixture f;
        for (int s = 1; s <= 2; ++s) {
            f.at(s * 1000);
            f.counters.tick1000();
        }
        QCOMPARE(f.counters.seconds(), 2);
        f.at(5300); // the thread was blocked for 3.3 s
        f.counters.tick1000();
        QCOMPARE(f.counters.text(), QStringLiteral("00:05:30"));
        QCOMPARE(f.counters.msToNextSecond(), 700);
        f.at(6000);
        f.counters.tick1000();
        QCOMPARE(f.counters.text(), QStringLiteral("00:06:00"));
    }

    // Only running periods count; a start after a stop resumes from the counters as they
    // stood, and the timers are armed to finish the second that was interrupted.
    void resumeContinuesFromTheStop()
    {
        Fixture f;
        f.at(600);
        f.counters.tick10();
        f.counters.stop();
        f.at(10000); // stopped for 9.4 s
        QCOMPARE(f.counters.text(), QStringLiteral("00:00:60"));
        f.counters.start();
        QCOMPARE(f.counters.msToNextSecond(), 400);
        QCOMPARE(f.counters.msToNextTick(100), 100);
        QCOMPARE(f.counters.msToNextTick(10), 10);
        f.at(10400);
        f.counters.tick1000();
        QCOMPARE(f.counters.text(), QStringLiteral("00:01:00"));
        f.at(11450);
        f.counters.tick1000();
        f.counters.tick10();
        f.counters.stop();
        QCOMPARE(f.counters.text(), QStringLiteral("00:02:05"));
        QCOMPARE(f.counters.runningNs(), 2050 * Ms);
    }

    // The next tick stays in step with the measured time however far it is put off.
    void nextTickNotBefore_data()
    {
        QTest::addColumn<int>("nowMs");
        QTest::addColumn<int>("notBeforeMs");
        QTest::addColumn<int>("expectedMs");
        QTest::newRow("on a tick, no wait") << 10 << 0 << 10;
        QTest::newRow("on a tick, a frame away") << 10 << 15 << 20;
        QTest::newRow("between ticks, a frame away") << 13 << 15 << 17;
        QTest::newRow("wait ends on a tick") << 10 << 20 << 20;
        QTest::newRow("wait shorter than the next tick") << 13 << 4 << 7;
        QTest::newRow("negative wait") << 13 << -5 << 7;
    }
    void nextTickNotBefore()
    {
        QFETCH(int, nowMs);
        QFETCH(int, notBeforeMs);
        QFETCH(int, expectedMs);
        Fixture f;
        f.at(nowMs);
        QCOMPARE(f.counters.msToNextTick(10, notBeforeMs), expectedMs);
    }

    void resetZeroesCountersAndMeasuredTime()
    {
        Fixture f;
        f.at(2340);
        f.counters.tick1000();
        f.counters.tick10();
        f.counters.stop();
        f.counters.reset();
        QCOMPARE(f.counters.text(), QStringLiteral("00:00:00"));
        QCOMPARE(f.counters.runningNs(), qint64(0));
        f.counters.start();
        f.at(3340);
        QCOMPARE(f.counters.msToNextSecond(), 0);
        f.counters.tick1000();
        QCOMPARE(f.counters.seconds(), 1);
    }
};

QTEST_APPLESS_MAIN(TestStopwatchCounters)
#include "tst_stopwatchcounters.moc"
