#include "core/assessment/ComputeAssessment.h"
#include "core/history/HistoryCsv.h"
#include "core/history/HistoryStore.h"

#include "RefusedWrites.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Reads a CSV file with Python's csv module, as a program other than ours reads it, and hands
// back its rows as JSON. The file must begin with the UTF-8 byte-order mark.
const char* const Reader = R"(
import csv, io, json, sys
raw = open(sys.argv[1], 'rb').read()
if not raw.startswith(b'\xef\xbb\xbf'):
    sys.exit('no byte-order mark')
text = raw[3:].decode('utf-8')
rows = list(csv.reader(io.StringIO(text, newline=''), delimiter=sys.argv[2], strict=True))
json.dump(rows, sys.stdout)
)";

QList<QStringList> readCsv(const QString& path, QChar separator)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"), QString::fromUtf8(Reader), path, QString(separator)});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        qWarning() << python.readAllStandardError();
        return {};
    }
    QList<QStringList> rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(python.readAllStandardOutput()).array()) {
        QStringList fields;
        for (const QJsonValue& field : row.toArray())
            fields.append(field.toString());
        rows.append(fields);
    }
    return rows;
}

// A man's or a woman's entry whose inputs and ages follow from k; k = 2 has no rating and a
// greyed statement, and its ages are negative and fractional.
HistoryEntry entry(const QString& name, int k, const QDateTime& at)
{
    AssessmentRecord in;
    in.sex = k % 2 ? Sex::Female : Sex::Male;
    in.calendarAge = 20 + k;
    in.bodyMass = 60 + k;
    in.systolicPressure = 100 + 10 * k;
    in.diastolicPressure = 70 + 10 * k;
    in.breathHold = 30 + k;
    in.balance = 5 + k;
    for (int i = 0; i < AssessmentRecord::StatementCount; ++i)
        in.statements[static_cast<size_t>(i)] = (i + k) % 3;
    in.healthRating = k == 2 ? -1 : k % 4;
    AssessmentResult r = ComputeAssessment(in);
    if (k == 2) {
        r.biologicalAge = FixedPoint::fromRaw(-182345);
        r.properBiologicalAge = FixedPoint::fromRaw(310000);
        r.ageDifference = r.biologicalAge - r.properBiologicalAge;
    }
    return HistoryEntry::fromAssessment(name, in, r, at);
}

// A number as the spreadsheet of that language reads it, in ten-thousandths.
qint64 tenThousandths(QString field, QChar decimal)
{
    field.replace(decimal, QLatin1Char('.'));
    bool ok = false;
    const double value = field.toDouble(&ok);
    return ok ? qRound64(value * 10000) : std::numeric_limits<qint64>::min();
}

} // namespace

class TestHistoryCsv : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Local time five hours ahead of UTC all year, so the file's times show they are local.
        qputenv("TZ", "Asia/Yekaterinburg");
        QProcess probe;
        probe.start(QStringLiteral("python3"),
                    {QStringLiteral("-c"), QStringLiteral("import csv")});
        if (!probe.waitForFinished(30000) || probe.exitCode() != 0)
            QSKIP("python3 with its csv module is needed to read the files back");
    }

    // Every field comes back as it went in, whatever the name holds, in both dialects.
    void readBack_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QChar>("decimal");
        const QStringList names = {QStringLiteral("Иван Петрович"),
                                   QStringLiteral("Иван; Пётр"),
                                   QStringLiteral("«Ёжик» \"в тумане\""),
                                   QStringLiteral("две\r\nстроки"),
                                   QStringLiteral("строка\nи ещё"),
                                   QStringLiteral("запятая, тоже"),
                                   QStringLiteral("\"")};
        for (QChar decimal : {QLatin1Char(','), QLatin1Char('.')}) {
            for (const QString& name : names)
                QTest::addRow("%s, decimal %c", qPrintable(name), decimal.toLatin1())
                    << name << decimal;
        }
    }
    void readBack()
    {
        QFETCH(QString, name);
        QFETCH(QChar, decimal);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("история.csv"));
        const QDateTime first(QDate(2026, 3, 1), QTime(22, 30, 15, 250), Qt::UTC);
        QList<HistoryEntry> entries;
        for (int k = 0; k < 4; ++k)
            entries.append(entry(name, k, first.addDays(40 * k)));

        const HistoryCsv csv(decimal);
        QCOMPARE(csv.fieldSeparator(), decimal == u',' ? QLatin1Char(';') : QLatin1Char(','));
        QString why;
        QVERIFY2(csv.write(path, entries, &why), qPrintable(why));
        const QList<QStringList> rows = readCsv(path, csv.fieldSeparator());
        QCOMPARE(rows.size(), entries.size() + 1);

        const QStringList header = rows.first();
        const int statements = 9;
        const int rating = statements + AssessmentRecord::StatementCount;
        QCOMPARE(header.size(), rating + 6);
        QCOMPARE(header.mid(statements, AssessmentRecord::StatementCount),
                 AssessmentRecord::statementTexts());
        for (int k = 0; k < entries.size(); ++k) {
            const HistoryEntry& e = entries.at(k);
            const QStringList row = rows.at(k + 1);
            QCOMPARE(row.size(), header.size());
            QCOMPARE(row.at(0), name);
            // Local time: five hours ahead; the first one is past midnight, on the next day.
            const QDateTime local =
                QDateTime::fromString(row.at(1), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            QVERIFY(local.isValid());
            QCOMPARE(local.date().addDays(-1), first.date().addDays(40 * k));
            QCOMPARE(local.time(), QTime(3, 30, 15));
            QCOMPARE(row.at(2), e.inputs.sex == Sex::Male ? QStringLiteral("мужской")
                                                          : QStringLiteral("женский"));
            const QList<int> inputs = {e.inputs.calendarAge,      e.inputs.bodyMass,
                                       e.inputs.systolicPressure, e.inputs.diastolicPressure,
                                       e.inputs.breathHold,       e.inputs.balance};
            for (int i = 0; i < inputs.size(); ++i)
                QCOMPARE(row.at(3 + i).toInt(), inputs.at(i));
            for (int i = 0; i < AssessmentRecord::StatementCount; ++i)
                QCOMPARE(row.at(statements + i), QString::number(e.inputs.statements[size_t(i)]));
            QCOMPARE(row.at(rating), AssessmentRecord::ratingTexts().value(e.inputs.healthRating));
            QCOMPARE(row.at(rating + 1).toInt(), e.healthIndex);
            QCOMPARE(tenThousandths(row.at(rating + 2), decimal), e.biologicalAge.raw());
            QCOMPARE(tenThousandths(row.at(rating + 3), decimal), e.properBiologicalAge.raw());
            QCOMPARE(tenThousandths(row.at(rating + 4), decimal), e.ageDifference.raw());
            QCOMPARE(row.at(rating + 5), VerdictTitle(e.verdictCase));
        }
        // Negative numbers carry the minus a spreadsheet reads, not the typographic one.
        QVERIFY(rows.at(3).at(rating + 2).startsWith(QLatin1Char('-')));
    }

    // A file written from the store holds the profile asked for, or all of them, oldest first.
    void exportFromStore()
    {
        QTemporaryDir dir;
        HistoryStore store(dir.path());
        const QDateTime at(QDate(2026, 1, 10), QTime(9, 0), Qt::UTC);
        QVERIFY(store.addAll({entry(QStringLiteral("Яна"), 0, at.addDays(2)),
                              entry(QStringLiteral("Анна"), 1, at.addDays(1)),
                              entry(QStringLiteral("Яна"), 2, at),
                              entry(QStringLiteral("Анна"), 3, at.addDays(5))}));
        const HistoryCsv csv;
        const QString path = dir.filePath(QStringLiteral("out.csv"));

        QVERIFY(csv.exportHistory(store, path, QStringLiteral("Яна")));
        QList<QStringList> rows = readCsv(path, csv.fieldSeparator());
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.at(1).mid(0, 2),
                 QStringList({QStringLiteral("Яна"), QStringLiteral("2026-01-10 14:00:00")}));
        QCOMPARE(rows.at(2).mid(0, 2),
                 QStringList({QStringLiteral("Яна"), QStringLiteral("2026-01-12 14:00:00")}));

        QVERIFY(csv.exportHistory(store, path, std::nullopt));
        rows = readCsv(path, csv.fieldSeparator());
        QStringList order;
        for (const QStringList& row : rows.mid(1))
            order.append(row.at(0) + QLatin1Char(' ') + row.at(1));
        QCOMPARE(order, QStringList({QStringLiteral("Анна 2026-01-11 14:00:00"),
                                     QStringLiteral("Анна 2026-01-15 14:00:00"),
                                     QStringLiteral("Яна 2026-01-10 14:00:00"),
                                     QStringLiteral("Яна 2026-01-12 14:00:00")}));

        // A profile without entries gives the header alone.
        QVERIFY(csv.exportHistory(store, path, QStringLiteral("Никто")));
        QCOMPARE(readCsv(path, csv.fieldSeparator()).size(), 1);
    }

    // A refused write says why and leaves the file that was there whole.
    void refusedWriteKeepsOldFile_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("no such folder") << false;
        QTest::newRow("full disk") << true;
    }
    void refusedWriteKeepsOldFile()
    {
        QFETCH(bool, fullDisk);
        if (fullDisk && !RefusedWrites::available())
            QSKIP("no file-size limit on this platform");
        QTemporaryDir dir;
        const QString path = fullDisk ? dir.filePath(QStringLiteral("old.csv"))
                                      : dir.filePath(QStringLiteral("missing/old.csv"));
        const QByteArray old("before");
        if (fullDisk) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
        }
        const QList<HistoryEntry> entries = {
            entry(QStringLiteral("Иван"), 0, QDateTime::currentDateTimeUtc())};
        QString why;
        bool written = true;
        {
            std::optional<RefusedWrites> refused;
            if (fullDisk)
                refused.emplace();
            written = HistoryCsv().write(path, entries, &why);
        }
        QVERIFY(!written);
        QVERIFY2(why.contains(QDir::toNativeSeparators(path)), qPrintable(why));
        if (fullDisk) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), old);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                     QStringList(QStringLiteral("old.csv")));
        }
    }
};

QTEST_GUILESS_MAIN(TestHistoryCsv)
#include "tst_historycsv.moc"
