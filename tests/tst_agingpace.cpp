#include "core/history/AgingPace.h"

#include <QtTest>

namespace {

// A mean Gregorian year in milliseconds: a quarter of it is a whole number of milliseconds, so
// the crafted dates below lie exactly where the slopes need them.
constexpr qint64 YearMs = 31556952000;
const QDateTime origin(QDate(2025, 1, 1), QTime(8, 0), Qt::UTC);

struct Point
{
    double years;         // after the origin
    qint64 biologicalAge; // ten-thousandths
    Sex sex;
};

QList<HistoryEntry> entries(const QList<Point>& points)
{
    QList<HistoryEntry> list;
    for (const Point& p : points) {
        HistoryEntry e;
        e.recordedAt = origin.addMSecs(static_cast<qint64>(p.years * YearMs));
        e.inputs.sex = p.sex;
        e.biologicalAge = FixedPoint::fromRaw(p.biologicalAge);
        list.append(e);
    }
    return list;
}

constexpr Sex M = Sex::Male;
constexpr Sex F = Sex::Female;
constexpr double Day = 1 / 365.2425;

} // namespace

Q_DECLARE_METATYPE(QList<Point>)
Q_DECLARE_METATYPE(AgingPace::Status)

class TestAgingPace : public QObject
{
    Q_OBJECT
private slots:
    void pace_data()
    {
        QTest::addColumn<QList<Point>>("points");
        QTest::addColumn<AgingPace::Status>("status");
        QTest::addColumn<int>("counted");
        QTest::addColumn<double>("slope");
        QTest::addColumn<double>("expected");
        using S = AgingPace::Status;

        QTest::newRow("steady, 0.8 a year")
            << QList<Point>{{0, 500000, M}, {0.25, 502000, M}, {0.5, 504000, M}, {1, 508000, M}}
            << S::Known << 4 << 0.8 << 0.629;
        QTest::newRow("order of the entries does not matter")
            << QList<Point>{{1, 508000, M}, {0, 500000, M}, {0.5, 504000, M}, {0.25, 502000, M}}
            << S::Known << 4 << 0.8 << 0.629;
        // Times 0, 1, 2 around 1; ages 40, 42, 41 around 41: (1 + 0 + 0) / 2.
        QTest::newRow("scattered, least squares")
            << QList<Point>{{0, 400000, F}, {1, 420000, F}, {2, 410000, F}} << S::Known << 3 << 0.5
            << 0.581;
        QTest::newRow("growing younger")
            << QList<Point>{{0, 600000, M}, {0.5, 595000, M}, {1, 590000, M}} << S::Known << 3
            << -1.0 << 0.629;
        QTest::newRow("exactly 90 days")
            << QList<Point>{{0, 450000, M}, {45 * Day, 450000, M}, {90 * Day, 450000, M}}
            << S::Known << 3 << 0.0 << 0.629;
        QTest::newRow("no entries") << QList<Point>{} << S::TooFewRecords << 0 << 0.0 << 0.629;
        QTest::newRow("two entries a year apart") << QList<Point>{{0, 500000, F}, {1, 510000, F}}
                                                  << S::TooFewRecords << 2 << 0.0 << 0.581;
        QTest::newRow("a minute short of 90 days")
            << QList<Point>{{0, 500000, M},
                            {30 * Day, 500000, M},
                            {90 * Day - 60000.0 / YearMs, 500000, M}}
            << S::TooShortSpan << 3 << 0.0 << 0.629;
        // The newest entry is a woman's: the men's entries, on another scale, are left out.
        QTest::newRow("mixed sexes, the newest sex counts") << QList<Point>{{0, 900000, M},
                                                                            {0.25, 100000, M},
                                                                            {0.5, 300000, F},
                                                                            {0.75, 301000, F},
                                                                            {1, 302000, F}}
                                                            << S::Known << 3 << 0.4 << 0.581;
        QTest::newRow("mixed sexes, too few of the newest")
            << QList<Point>{{0, 500000, F}, {0.5, 500000, F}, {1, 510000, F}, {1.5, 520000, M}}
            << S::TooFewRecords << 1 << 0.0 << 0.629;
    }
    void pace()
    {
        QFETCH(QList<Point>, points);
        QFETCH(AgingPace::Status, status);
        QFETCH(int, counted);
        QFETCH(double, slope);
        QFETCH(double, expected);
        const AgingPace pace = AgingPace::of(entries(points));
        QCOMPARE(pace.status(), status);
        QCOMPARE(pace.recordCount(), counted);
        QCOMPARE(pace.expectedYearsPerYear(), expected);
        if (pace.isKnown())
            QVERIFY2(qAbs(pace.yearsPerYear() - slope) < 1e-9,
                     qPrintable(QString::number(pace.yearsPerYear(), 'g', 17)));
    }

    // On steady entries the trend line runs through every one of them.
    void trendThroughSteadyEntries()
    {
        const QList<HistoryEntry> list =
            entries({{0, 500000, M}, {0.25, 502000, M}, {0.5, 504000, M}, {2, 516000, M}});
        const AgingPace pace = AgingPace::of(list);
        QVERIFY(pace.isKnown());
        QCOMPARE(pace.first(), list.at(0).recordedAt);
        QCOMPARE(pace.last(), list.at(3).recordedAt);
        for (const HistoryEntry& e : list)
            QVERIFY(qAbs(pace.trendAt(e.recordedAt) - e.biologicalAge.toDouble()) < 1e-9);
    }

    void text_data()
    {
        QTest::addColumn<QList<Point>>("points");
        QTest::addColumn<QString>("text");
        QTest::newRow("known, a man")
            << QList<Point>{{0, 500000, M}, {0.5, 502000, M}, {1, 504000, M}}
            << QStringLiteral("Темп старения: 0,4 года за год (ожидается 0,63)");
        QTest::newRow("known, a woman, falling")
            << QList<Point>{{0, 500000, F}, {0.5, 490000, F}, {1, 480000, F}}
            << QStringLiteral("Темп старения: −2,0 года за год (ожидается 0,58)");
        QTest::newRow("known, the other sex left out")
            << QList<Point>{{0, 100000, F}, {0.1, 500000, M}, {0.5, 502000, M}, {1, 504000, M}}
            << QStringLiteral("Темп старения: 0,4 года за год (ожидается 0,63) Записи с другим "
                              "полом не учтены: 1.");
        QTest::newRow("none")
            << QList<Point>{}
            << QStringLiteral("Темп старения будет виден с трёх записей за 90 дней и больше; "
                              "сейчас записей нет.");
        QTest::newRow("one") << QList<Point>{{0, 500000, M}}
                             << QStringLiteral("Темп старения будет виден с трёх записей за 90 "
                                               "дней и больше; сейчас 1 запись.");
        QTest::newRow("two") << QList<Point>{{0, 500000, M}, {1, 500000, M}}
                             << QStringLiteral("Темп старения будет виден с трёх записей за 90 "
                                               "дней и больше; сейчас 2 записи.");
        QTest::newRow("22 days")
            << QList<Point>{{0, 500000, M}, {10 * Day, 500000, M}, {22 * Day, 500000, M}}
            << QStringLiteral("Темп старения будет виден, когда между первой и последней записью "
                              "пройдёт 90 дней; сейчас 22 дня.");
        QTest::newRow("89 days")
            << QList<Point>{{0, 500000, M}, {10 * Day, 500000, M}, {89.5 * Day, 500000, M}}
            << QStringLiteral("Темп старения будет виден, когда между первой и последней записью "
                              "пройдёт 90 дней; сейчас 89 дней.");
    }
    void text()
    {
        QFETCH(QList<Point>, points);
        QFETCH(QString, text);
        QCOMPARE(AgingPace::of(entries(points)).text(), text);
    }
};

QTEST_GUILESS_MAIN(TestAgingPace)
#include "tst_agingpace.moc"
