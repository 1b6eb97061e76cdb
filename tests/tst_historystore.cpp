#include "core/history/HistoryStore.h"
#include "core/history/SchemaMigration.h"
#include "core/history/UserDatabase.h"

#include "PermissionsBind.h"
#include "RefusedWrites.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QDateTime base(QDate(2024, 2, 29), QTime(23, 59, 59, 999), Qt::UTC);
const QString writerName = QStringLiteral("Запись «до отказа»");

// A valid entry whose every field follows from k, with the time base + k ms. The values run
// through what the store must keep: both sexes, greyed statements, no rating, negative ages,
// every verdict case.
HistoryEntry sampleEntry(const QString& name, int k)
{
    AssessmentRecord in;
    in.sex = k % 2 ? Sex::Female : Sex::Male;
    in.calendarAge = 5 + k % 86;
    in.bodyMass = 10 + k % 191;
    in.systolicPressure = 40 + 10 * (k % 33);
    in.diastolicPressure = 40 + 10 * (k % 21);
    in.breathHold = 5 + k % 296;
    in.balance = 1 + k % 60;
    for (int i = 0; i < AssessmentRecord::StatementCount; ++i)
        in.statements[i] = (k + i) % 3;
    in.healthRating = k % 5 - 1;
    AssessmentResult r;
    r.healthIndex = k % 40;
    r.biologicalAge = FixedPoint::fromRaw(-190000 + 3701 * k);
    r.properBiologicalAge = FixedPoint::fromRaw(314500 + 13 * k);
    r.ageDifference = r.biologicalAge - r.properBiologicalAge;
    r.verdictCase = k % 6;
    return HistoryEntry::fromAssessment(name, in, r, base.addMSecs(k));
}

// Every field but the id, for one readable comparison.
QString describe(const HistoryEntry& e)
{
    const AssessmentRecord& in = e.inputs;
    QString states;
    for (int s : in.statements)
        states += QString::number(s);
    return QStringLiteral("%1 [%2] sex %3 age %4 mass %5 bp %6/%7 hold %8 balance %9 "
                          "states %10 rating %11 H %12 BA %13 PBA %14 D %15 case %16")
        .arg(e.recordedAt.toUTC().toString(Qt::ISODateWithMs), e.profileName)
        .arg(in.sex == Sex::Male ? 0 : 1)
        .arg(in.calendarAge)
        .arg(in.bodyMass)
        .arg(in.systolicPressure)
        .arg(in.diastolicPressure)
        .arg(in.breathHold)
        .arg(in.balance)
        .arg(states)
        .arg(in.healthRating)
        .arg(e.healthIndex)
        .arg(e.biologicalAge.raw())
        .arg(e.properBiologicalAge.raw())
        .arg(e.ageDifference.raw())
        .arg(e.verdictCase);
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QStringList folderListing(const QString& folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// A connection of the test's own, for looking into a database file from outside the store.
class Peek
{
public:
    explicit Peek(const QString& path) : m_name(QStringLiteral("peek-%1").arg(++s_count))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.open();
    }
    ~Peek()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }
    // The first column of every row, or the error text.
    QStringList rows(const QString& statement) const
    {
        QSqlQuery q(db());
        if (!q.exec(statement))
            return {QStringLiteral("error: ") + q.lastError().text()};
        QStringList values;
        while (q.next())
            values.append(q.value(0).toString());
        return values;
    }

private:
    static inline int s_count = 0;
    QString m_name;
};

// A database file with `count` entries, closed (its log folded in).
QString filledDatabase(const QString& folder, int count)
{
    HistoryStore store(folder);
    QList<HistoryEntry> entries;
    for (int k = 0; k < count; ++k)
        entries.append(sampleEntry(QStringLiteral("Профиль %1").arg(k % 7), k));
    store.addAll(entries);
    return store.location();
}

#ifdef Q_OS_UNIX
// While alive, this process can open no further file: the handle limit is at the handles
// already open.
class NoFreeHandles
{
public:
    NoFreeHandles()
    {
        getrlimit(RLIMIT_NOFILE, &m_saved);
        // Every handle below the lowest free one is taken, so a limit there refuses the next.
        const int lowestFree = dup(0);
        ::close(lowestFree);
        rlimit limit = m_saved;
        limit.rlim_cur = static_cast<rlim_t>(lowestFree);
        m_active = lowestFree > 0 && setrlimit(RLIMIT_NOFILE, &limit) == 0;
    }
    ~NoFreeHandles()
    {
        if (m_active)
            setrlimit(RLIMIT_NOFILE, &m_saved);
    }

private:
    rlimit m_saved{};
    bool m_active = false;
};
#endif

enum class Damage
{
    Garbage,
    GarbageWithCompanions,
    TextFile,
    HeaderOnly,
    Truncated,
    SpoiledPage,
    LargeSpoiled,
    ForeignDatabase,
    NoVersionRow,
    EmptyFolder,
    FolderWithContent,
    DanglingLink,
    Pipe,
    OrphanLog,
};

enum class Refusal
{
    FolderIsAFile,
    FolderBelowAFile,
    NoRoomForNewDatabase,
    NoRoomInExistingDatabase,
    NoFileHandles,
    ReadOnlyFolder,
    ReadOnlyFolderWithHistory,
    UnreadableDatabase,
};

// The child side of the crash test: records entries k = first, first + 1, ... and reports
// "k id" for each one committed, until it is killed.
int writeUntilKilled(const QString& folder, int first)
{
    HistoryStore store(folder);
    for (int k = first; k < first + 100000; ++k) {
        const auto id = store.add(sampleEntry(writerName, k));
        if (!id)
            return 1;
        std::printf("%d %lld\n", k, static_cast<long long>(*id));
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

Q_DECLARE_METATYPE(Damage)
Q_DECLARE_METATYPE(Refusal)

class TestHistoryStore : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void cleanup()
    {
#ifdef Q_OS_UNIX
        // Folders a row made read-only must still be removable.
        chmod(QFile::encodeName(m_dir->path()).constData(), 0700);
        for (const QString& name : folderListing(m_dir->path()))
            chmod(QFile::encodeName(m_dir->filePath(name)).constData(), 0700);
#endif
        m_dir.reset();
    }

    // A store costs nothing until used, merely reading creates nothing, and the first
    // entry creates a database for the owner's eyes only.
    void nothingHappensBeforeFirstUse()
    {
        const QString folder = m_dir->filePath(QStringLiteral("data"));
        {
            HistoryStore store(folder);
            QVERIFY(!QFileInfo::exists(folder));
            QVERIFY(QSqlDatabase::connectionNames().isEmpty());
            const auto none = store.entries(QStringLiteral("Мама"));
            QVERIFY(none);
            QVERIFY(none->isEmpty());
            QCOMPARE(store.profileNames(), std::optional<QStringList>(QStringList()));
            QVERIFY(store.remove(1));
            QVERIFY(!QFileInfo::exists(folder));

            QVERIFY(store.add(sampleEntry(QStringLiteral("Мама"), 1)));
            QCOMPARE(store.location(), folder + QStringLiteral("/kalder-vitalon.sqlite"));
            QVERIFY(QFileInfo(store.location()).isFile());
            QCOMPARE(QSqlDatabase::connectionNames().size(), 1);
#ifdef Q_OS_UNIX
            const QFileDevice::Permissions others =
                QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
            for (const QString& suffix : {QString(), QStringLiteral("-wal")}) {
                QVERIFY(QFileInfo::exists(store.location() + suffix));
                QCOMPARE(QFile::permissions(store.location() + suffix) & others,
                         QFileDevice::Permissions());
            }
#endif
        }
        QVERIFY(QSqlDatabase::connectionNames().isEmpty());
    }

    // Without a folder the store lives in the user's data folder of this program.
    void defaultFolderIsTheUsersDataFolder()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("Kalder_Programming"));
        QCoreApplication::setApplicationName(QStringLiteral("kalder-vitalon"));
        HistoryStore store;
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(data.endsWith(QStringLiteral("/Kalder_Programming/kalder-vitalon")));
        QCOMPARE(store.location(), data + QStringLiteral("/kalder-vitalon.sqlite"));
        QStandardPaths::setTestModeEnabled(false);
    }

    // The history of earlier versions becomes the user's database, every entry as it was
    // (also those still only in its write-ahead log), marked as this program's; the earlier
    // name is gone because the file itself moved.
    void earlierHistoryBecomesTheDatabase_data()
    {
        QTest::addColumn<bool>("withLog");
        QTest::newRow("closed") << false;
        QTest::newRow("entries still in its log") << true;
    }
    void earlierHistoryBecomesTheDatabase()
    {
        QFETCH(bool, withLog);
        const QString fixture =
            QStringLiteral(VITALON_TEST_FIXTURES "/earlier-history/history.sqlite");
        const QString earlier = m_dir->filePath(QStringLiteral("history.sqlite"));
        QString moved = QStringLiteral("  Папа  ");
        if (withLog) {
            // A copy taken while the earlier version had it open: the change lives in the log.
            const QString live = m_dir->filePath(QStringLiteral("live.sqlite"));
            QVERIFY(QFile::copy(fixture, live));
            QVERIFY(QFile::setPermissions(live, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
            Peek peek(live);
            QCOMPARE(peek.rows(QStringLiteral("PRAGMA journal_mode = WAL")),
                     QStringList{QStringLiteral("wal")});
            QCOMPARE(peek.rows(QStringLiteral("UPDATE entry SET profile = 'Журнал' WHERE "
                                              "profile = '  Папа  '")),
                     QStringList());
            moved = QStringLiteral("Журнал");
            QVERIFY(writeFile(earlier, fileBytes(live)));
            QVERIFY(writeFile(earlier + QStringLiteral("-wal"),
                              fileBytes(live + QStringLiteral("-wal"))));
            QVERIFY(QFileInfo(earlier + QStringLiteral("-wal")).size() > 0);
        } else {
            QVERIFY(QFile::copy(fixture, earlier));
            QVERIFY(
                QFile::setPermissions(earlier, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        }

        HistoryStore store(m_dir->path());
        QCOMPARE(store.profileNames(), std::optional<QStringList>({moved, QStringLiteral("Мама")}));
        for (int k = 0; k < 12; ++k) {
            const QString name = k % 3 ? QStringLiteral("Мама") : moved;
            const auto found = store.entries(name);
            QVERIFY(found);
            QCOMPARE(found->size(), k % 3 ? 8 : 4);
            const auto it =
                std::find_if(found->cbegin(), found->cend(), [k](const HistoryEntry& e) {
                    return base.msecsTo(e.recordedAt) == k;
                });
            QVERIFY(it != found->cend());
            QCOMPARE(describe(*it), describe(sampleEntry(name, k)));
        }
        QVERIFY(store.takeMovedAside().isEmpty());
        QVERIFY(!QFileInfo::exists(earlier));
        QVERIFY(!QFileInfo::exists(earlier + QStringLiteral("-wal")));
        Peek peek(store.location());
        QCOMPARE(peek.rows(QStringLiteral("PRAGMA application_id")),
                 QStringList{QString::number(UserDatabase::applicationId)});
    }

    // A read-only opening takes only a database that is ready as it is: the history of earlier
    // versions is not carried in, an older schema is not migrated, and nothing is written. The
    // full opening then does all that as ever, and a read-only one reads the result.
    void peekTakesOnlyAReadyDatabase()
    {
        const QString earlier = m_dir->filePath(QStringLiteral("history.sqlite"));
        QVERIFY(QFile::copy(QStringLiteral(VITALON_TEST_FIXTURES "/earlier-history/history.sqlite"),
                            earlier));
        QVERIFY(QFile::setPermissions(earlier, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        qint64 counted = -1;
        const auto count = [&counted](const QString& statement) {
            return [&counted, statement](const QSqlDatabase& db) {
                QSqlQuery q(db);
                if (!q.exec(statement))
                    return q.lastError();
                counted = q.next() ? q.value(0).toLongLong() : 0;
                return QSqlError();
            };
        };
        const QString entries = QStringLiteral("SELECT count(*) FROM entry");
        UserDatabase db(m_dir->path());
        QVERIFY(db.run(UserDatabase::Access::Peek, count(entries)));
        QCOMPARE(counted, -1); // nothing stored, as far as this opening goes
        QVERIFY(!QFileInfo::exists(db.location()));

        // One schema version behind, where the database belongs.
        QVERIFY(QFile::rename(earlier, db.location()));
        const QByteArray before = fileBytes(db.location());
        QVERIFY(!db.run(UserDatabase::Access::Peek, count(entries)));
        QCOMPARE(db.problem(), UserDatabase::Problem::Unavailable);
        QCOMPARE(counted, -1);
        QCOMPARE(fileBytes(db.location()), before);

        QVERIFY(db.run(UserDatabase::Access::Existing, count(entries)));
        QCOMPARE(counted, 12);
        counted = -1;
        QVERIFY(db.run(UserDatabase::Access::Peek,
                       count(QStringLiteral("SELECT count(*) FROM setting"))));
        QCOMPARE(counted, 0);
        QVERIFY(!db.run(UserDatabase::Access::Peek, count(QStringLiteral("DELETE FROM entry"))));
        QVERIFY(db.run(UserDatabase::Access::Existing, count(entries)));
        QCOMPARE(counted, 12);
        QVERIFY(db.takeMovedAside().isEmpty());
    }

    // Names come back exactly and select exactly their own entries: no pattern matching, no
    // case folding, no trimming, no number conversion.
    void namesRoundTripExactly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("neighbours");
        QTest::newRow("cyrillic") << QStringLiteral("Мама")
                                  << QStringList{QStringLiteral("мама"), QStringLiteral("МАМА"),
                                                 QStringLiteral("Мама ")};
        QTest::newRow("latin case") << QStringLiteral("Anna")
                                    << QStringList{QStringLiteral("anna"), QStringLiteral("ANNA")};
        QTest::newRow("quotes") << QStringLiteral("O'Brien \"Бабушка\"; --")
                                << QStringList{QStringLiteral("O'Brien")};
        QTest::newRow("pattern characters")
            << QStringLiteral("%_") << QStringList{QStringLiteral("a"), QStringLiteral("%a_")};
        QTest::newRow("backslash") << QStringLiteral("a\\b")
                                   << QStringList{QStringLiteral("a\\\\b"), QStringLiteral("ab")};
        QTest::newRow("digits") << QStringLiteral("007")
                                << QStringList{QStringLiteral("7"), QStringLiteral("7.0")};
        QTest::newRow("empty") << QStringLiteral("") << QStringList{QStringLiteral(" ")};
        QTest::newRow("null") << QString() << QStringList{QStringLiteral(" ")};
        QTest::newRow("very long")
            << QString(10000, QChar(0x042F))
            << QStringList{QString(9999, QChar(0x042F)), QString(10001, QChar(0x042F))};
        QTest::newRow("control characters")
            << QStringLiteral("a\tb\nc") << QStringList{QStringLiteral("a b c")};
        QTest::newRow("outside the basic plane")
            << QStringLiteral("Дед \U0001F474") << QStringList{QStringLiteral("Дед ")};
    }
    void namesRoundTripExactly()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, neighbours);
        // Three entries: two recorded in the same millisecond, the later one listed first.
        const QList<HistoryEntry> mine = {sampleEntry(name, 3), sampleEntry(name, 7),
                                          sampleEntry(name, 3)};
        QList<qint64> ids;
        std::optional<HistoryStore> writer(std::in_place, m_dir->path());
        for (int i = 0; i < mine.size(); ++i) {
            const auto id = writer->add(mine.at(i));
            QVERIFY2(id, qPrintable(writer->problemDetail()));
            ids.append(*id);
            for (int n = 0; n < neighbours.size(); ++n)
                QVERIFY(writer->add(sampleEntry(neighbours.at(n), 10 * i + n)));
        }
        const QList<int> newestFirst = {1, 2, 0};

        const auto check = [&](HistoryStore& store) {
            const auto found = store.entries(name);
            QVERIFY(found);
            QCOMPARE(found->size(), mine.size());
            for (int i = 0; i < newestFirst.size(); ++i) {
                QCOMPARE(found->at(i).id, ids.at(newestFirst.at(i)));
                QCOMPARE(describe(found->at(i)), describe(mine.at(newestFirst.at(i))));
                QCOMPARE(found->at(i).profileName.size(), name.size());
            }
        };
        // A second store on the same file while the first is open, then after a restart.
        {
            HistoryStore reader(m_dir->path());
            check(reader);
            if (QTest::currentTestFailed())
                return;
        }
        if (name.isNull())
            QCOMPARE(writer->entries(QStringLiteral(""))->size(), mine.size());
        writer.reset();
        writer.emplace(m_dir->path());
        check(*writer);
    }

    void profileNamesInCodePointOrder()
    {
        HistoryStore store(m_dir->path());
        const QStringList names = {QStringLiteral("б"), QStringLiteral("а"), QStringLiteral("А"),
                                   QStringLiteral("б"), QStringLiteral("")};
        for (int k = 0; k < names.size(); ++k)
            QVERIFY(store.add(sampleEntry(names.at(k), k)));
        QCOMPARE(store.profileNames(),
                 std::optional<QStringList>({QStringLiteral(""), QStringLiteral("А"),
                                             QStringLiteral("а"), QStringLiteral("б")}));
    }

    void removeDeletesOneEntryAndIdsAreNeverReused()
    {
        const QString name = QStringLiteral("Папа");
        QList<qint64> ids;
        {
            HistoryStore store(m_dir->path());
            for (int k = 0; k < 3; ++k)
                ids.append(store.add(sampleEntry(name, k)).value_or(-1));
            QVERIFY(store.remove(ids.at(1)));
            QVERIFY(store.remove(ids.at(2))); // the newest: its number must not come back
            QVERIFY(store.remove(ids.at(2) + 1000));
            QCOMPARE(store.problem(), HistoryStore::Problem::None);
        }
        HistoryStore store(m_dir->path());
        const auto left = store.entries(name);
        QVERIFY(left);
        QCOMPARE(left->size(), 1);
        QCOMPARE(left->at(0).id, ids.at(0));
        const auto next = store.add(sampleEntry(name, 9));
        QVERIFY(next);
        QVERIFY(*next > ids.at(2));
    }

    // What the store refuses to record, alone or in a batch: nothing of the batch is kept and
    // no database is made for it.
    void invalidEntriesRefused_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("value");
        enum Field
        {
            Statement,
            Rating,
            Verdict,
            Time,
            Difference
        };
        QTest::newRow("statement 3") << int(Statement) << 3;
        QTest::newRow("statement -1") << int(Statement) << -1;
        QTest::newRow("rating -2") << int(Rating) << -2;
        QTest::newRow("rating 4") << int(Rating) << 4;
        QTest::newRow("verdict -1") << int(Verdict) << -1;
        QTest::newRow("verdict 6") << int(Verdict) << 6;
        QTest::newRow("no time") << int(Time) << 0;
        QTest::newRow("difference off by 1") << int(Difference) << 1;
    }
    void invalidEntriesRefused()
    {
        QFETCH(int, field);
        QFETCH(int, value);
        HistoryEntry bad = sampleEntry(QStringLiteral("Мама"), 5);
        switch (field) {
        case 0:
            bad.inputs.statements[26] = value;
            break;
        case 1:
            bad.inputs.healthRating = value;
            break;
        case 2:
            bad.verdictCase = value;
            break;
        case 3:
            bad.recordedAt = QDateTime();
            break;
        default:
            bad.ageDifference = FixedPoint::fromRaw(bad.ageDifference.raw() + value);
        }
        HistoryStore store(m_dir->path());
        QVERIFY(!store.add(bad));
        QCOMPARE(store.problem(), HistoryStore::Problem::InvalidEntry);
        QVERIFY(!store.addAll({sampleEntry(QStringLiteral("Мама"), 1), bad}));
        QVERIFY(!QFileInfo::exists(store.location()));
        QVERIFY(store.add(sampleEntry(QStringLiteral("Мама"), 1)));
        QCOMPARE(store.problem(), HistoryStore::Problem::None);
        QCOMPARE(store.entries(QStringLiteral("Мама"))->size(), 1);
    }

    void newDatabaseIsAtTheCurrentVersionWithAWriteAheadLog()
    {
        HistoryStore store(m_dir->path());
        QVERIFY(store.add(sampleEntry(QStringLiteral("Мама"), 1)));
        Peek peek(store.location());
        QCOMPARE(peek.rows(QStringLiteral("SELECT version FROM schema_version")),
                 QStringList{QStringLiteral("2")});
        QCOMPARE(peek.rows(QStringLiteral("PRAGMA journal_mode")),
                 QStringList{QStringLiteral("wal")});
    }

    // The mechanism with steps of the test's own: each step lands whole or not at all.
    void migrationSteps_data()
    {
        QTest::addColumn<QList<QStringList>>("before"); // steps run first
        QTest::addColumn<QStringList>("setup");         // then these statements
        QTest::addColumn<QList<QStringList>>("steps");  // the steps under test
        QTest::addColumn<int>("checked");               // check() before the run
        QTest::addColumn<int>("outcome");               // SchemaMigration::Outcome
        QTest::addColumn<QStringList>("version");       // rows of schema_version afterwards
        QTest::addColumn<QStringList>("tables");        // tables afterwards
        const QStringList one = {QStringLiteral("CREATE TABLE a (x)")};
        const QStringList two = {QStringLiteral("CREATE TABLE b (y)"),
                                 QStringLiteral("INSERT INTO a VALUES (1)")};
        const QStringList failing = {QStringLiteral("CREATE TABLE b (y)"),
                                     QStringLiteral("INSERT INTO missing VALUES (1)")};
        const QStringList both = {QStringLiteral("a"), QStringLiteral("b"),
                                  QStringLiteral("schema_version")};
        const QStringList first = {QStringLiteral("a"), QStringLiteral("schema_version")};
        using O = SchemaMigration::Outcome;
        QTest::newRow("new database")
            << QList<QStringList>{} << QStringList{} << QList<QStringList>{one, two}
            << int(O::Behind) << int(O::Current) << QStringList{QStringLiteral("2")} << both;
        QTest::newRow("one step behind")
            << QList<QStringList>{one} << QStringList{} << QList<QStringList>{one, two}
            << int(O::Behind) << int(O::Current) << QStringList{QStringLiteral("2")} << both;
        QTest::newRow("failing step")
            << QList<QStringList>{one} << QStringList{} << QList<QStringList>{one, failing}
            << int(O::Behind) << int(O::Failed) << QStringList{QStringLiteral("1")} << first;
        QTest::newRow("newer") << QList<QStringList>{one, two, {}} << QStringList{}
                               << QList<QStringList>{one, two} << int(O::Newer) << int(O::Newer)
                               << QStringList{QStringLiteral("3")} << both;
        QTest::newRow("tables of something else")
            << QList<QStringList>{} << QStringList{QStringLiteral("CREATE TABLE c (z)")}
            << QList<QStringList>{one, two} << int(O::Unknown) << int(O::Unknown) << QStringList{}
            << QStringList{QStringLiteral("c")};
        QTest::newRow("version table of another shape")
            << QList<QStringList>{}
            << QStringList{QStringLiteral("CREATE TABLE schema_version (v)")}
            << QList<QStringList>{one, two} << int(O::Unknown) << int(O::Unknown) << QStringList{}
            << QStringList{QStringLiteral("schema_version")};
        QTest::newRow("two version rows")
            << QList<QStringList>{one}
            << QStringList{QStringLiteral("INSERT INTO schema_version VALUES (1)")}
            << QList<QStringList>{one, two} << int(O::Unknown) << int(O::Unknown)
            << QStringList{QStringLiteral("1"), QStringLiteral("1")} << first;
    }
    void migrationSteps()
    {
        QFETCH(QList<QStringList>, before);
        QFETCH(QStringList, setup);
        QFETCH(QList<QStringList>, steps);
        QFETCH(int, checked);
        QFETCH(int, outcome);
        QFETCH(QStringList, version);
        QFETCH(QStringList, tables);
        Peek peek(m_dir->filePath(QStringLiteral("m.sqlite")));
        QSqlDatabase db = peek.db();
        if (!before.isEmpty())
            QCOMPARE(SchemaMigration(before).run(db), SchemaMigration::Outcome::Current);
        for (const QString& statement : setup)
            QVERIFY(QSqlQuery(db).exec(statement));
        SchemaMigration migration(steps);
        // Checking only reads.
        const QString schema = QStringLiteral("SELECT * FROM sqlite_master");
        const QStringList unchecked = peek.rows(schema);
        QCOMPARE(int(migration.check(db)), checked);
        QCOMPARE(peek.rows(schema), unchecked);
        QCOMPARE(int(migration.run(db)), outcome);
        if (!version.isEmpty())
            QCOMPARE(peek.rows(QStringLiteral("SELECT version FROM schema_version")), version);
        QCOMPARE(peek.rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                          "ORDER BY name")),
                 tables);
        if (outcome == int(SchemaMigration::Outcome::Current))
            QCOMPARE(peek.rows(QStringLiteral("SELECT x FROM a")),
                     QStringList{QStringLiteral("1")});
    }

    // A database of a newer program is neither written nor read, and its file is unchanged.
    void newerDatabaseLeftUntouched()
    {
        const QString path = filledDatabase(m_dir->path(), 3);
        {
            // With a rollback journal, so that even switching the journal would show.
            Peek peek(path);
            QSqlQuery q(peek.db());
            QVERIFY(q.exec(QStringLiteral("PRAGMA journal_mode = DELETE")));
            QVERIFY(q.exec(QStringLiteral("UPDATE schema_version SET version = version + 1")));
        }
        const QByteArray before = fileBytes(path);
        const QStringList listing = folderListing(m_dir->path());
        {
            HistoryStore store(m_dir->path());
            QVERIFY(!store.add(sampleEntry(QStringLiteral("Профиль 1"), 1)));
            QCOMPARE(store.problem(), HistoryStore::Problem::NewerDatabase);
            QVERIFY(!store.entries(QStringLiteral("Профиль 1")));
            QCOMPARE(store.problem(), HistoryStore::Problem::NewerDatabase);
            QVERIFY(store.takeMovedAside().isEmpty());
        }
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(folderListing(m_dir->path()), listing);
    }

    // A file that is no usable database is reported once, kept under a new name (with its
    // log and index beside it) and replaced by a new database.
    void damagedDatabaseMovedAside_data()
    {
        QTest::addColumn<Damage>("damage");
        QTest::addColumn<bool>("firstCallWrites");
        QTest::newRow("garbage, read") << Damage::Garbage << false;
        QTest::newRow("garbage, write") << Damage::Garbage << true;
        QTest::newRow("garbage with -wal and -shm") << Damage::GarbageWithCompanions << true;
        QTest::newRow("text file") << Damage::TextFile << false;
        QTest::newRow("header only") << Damage::HeaderOnly << true;
        QTest::newRow("truncated") << Damage::Truncated << false;
        QTest::newRow("spoiled page") << Damage::SpoiledPage << true;
        // Too large to be checked whole when opened: the damage is met when read.
        QTest::newRow("large, spoiled pages") << Damage::LargeSpoiled << false;
        QTest::newRow("database of something else") << Damage::ForeignDatabase << true;
        QTest::newRow("version row missing") << Damage::NoVersionRow << false;
        QTest::newRow("empty folder in its place") << Damage::EmptyFolder << true;
        QTest::newRow("folder with content in its place") << Damage::FolderWithContent << false;
#ifdef Q_OS_UNIX
        QTest::newRow("dangling link") << Damage::DanglingLink << true;
        QTest::newRow("named pipe") << Damage::Pipe << false;
#endif
        QTest::newRow("log without its database") << Damage::OrphanLog << true;
    }
    void damagedDatabaseMovedAside()
    {
        QFETCH(Damage, damage);
        QFETCH(bool, firstCallWrites);
        const QString folder = m_dir->path();
        const QString path = folder + QStringLiteral("/kalder-vitalon.sqlite");
        QByteArray bytes = QByteArray(8192, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(bytes.data()), 2048);
        // What must be found under the new name, by file suffix ("" the database itself).
        QHash<QString, QByteArray> kept;
        switch (damage) {
        case Damage::Garbage:
        case Damage::GarbageWithCompanions:
            kept[QString()] = bytes;
            if (damage == Damage::GarbageWithCompanions) {
                kept[QStringLiteral("-wal")] = bytes.left(1000);
                kept[QStringLiteral("-shm")] = bytes.right(500);
            }
            break;
        case Damage::TextFile:
            kept[QString()] = QStringLiteral("Это не база данных\n").toUtf8();
            break;
        case Damage::HeaderOnly:
        case Damage::Truncated:
        case Damage::SpoiledPage:
        case Damage::LargeSpoiled: {
            const bool large = damage == Damage::LargeSpoiled;
            filledDatabase(folder, large ? 12000 : 1000);
            QByteArray real = fileBytes(path);
            QVERIFY(real.size() > (large ? 1 << 20 : 16 * 4096));
            const int spoiled = (large ? 8 : 1) * 4096;
            if (damage == Damage::HeaderOnly)
                real = real.left(100);
            else if (damage == Damage::Truncated)
                real = real.left(real.size() / 2);
            else
                real.replace(real.size() / 2, spoiled, QByteArray(spoiled, '\xff'));
            kept[QString()] = real;
            break;
        }
        case Damage::ForeignDatabase:
        case Damage::NoVersionRow: {
            {
                Peek peek(path);
                QSqlQuery q(peek.db());
                QVERIFY(q.exec(damage == Damage::ForeignDatabase
                                   ? QStringLiteral("CREATE TABLE notes (text)")
                                   : QStringLiteral("CREATE TABLE schema_version (version)")));
            }
            kept[QString()] = fileBytes(path);
            break;
        }
        case Damage::OrphanLog:
            kept[QStringLiteral("-wal")] = bytes;
            break;
        default:
            break;
        }
        for (auto it = kept.cbegin(); it != kept.cend(); ++it)
            QVERIFY(writeFile(path + it.key(), it.value()));
        switch (damage) {
        case Damage::EmptyFolder:
            QVERIFY(QDir().mkdir(path));
            break;
        case Damage::FolderWithContent:
            QVERIFY(QDir().mkdir(path));
            QVERIFY(writeFile(path + QStringLiteral("/inside"), "x"));
            break;
#ifdef Q_OS_UNIX
        case Damage::DanglingLink:
            QVERIFY(QFile::link(folder + QStringLiteral("/nowhere"), path));
            break;
        case Damage::Pipe:
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            break;
#endif
        default:
            break;
        }

        // A read-only opening refuses it and changes nothing: moving it aside is left to the
        // opening that can begin a new database.
        {
            UserDatabase peek(folder);
            const bool read = peek.run(UserDatabase::Access::Peek, [](const QSqlDatabase& db) {
                QSqlQuery q(db);
                return q.exec(QStringLiteral("SELECT sum(length(statements)) FROM entry"))
                           ? QSqlError()
                           : q.lastError();
            });
            if (damage != Damage::LargeSpoiled)
                QVERIFY(!read);
            QVERIFY(peek.takeMovedAside().isEmpty());
        }
        QVERIFY(QDir(folder).entryList({QStringLiteral("*damaged*")}).isEmpty());
        for (auto it = kept.cbegin(); it != kept.cend(); ++it)
            QVERIFY2(fileBytes(path + it.key()) == it.value(), qPrintable(it.key()));

        QString movedTo;
        {
            HistoryStore store(folder);
            const QString name = QStringLiteral("Профиль 1");
            if (firstCallWrites) {
                const auto id = store.add(sampleEntry(name, 1));
                QVERIFY2(id, qPrintable(store.problemDetail()));
            } else {
                const auto found = store.entries(name);
                QVERIFY2(found, qPrintable(store.problemDetail()));
                QVERIFY(found->isEmpty());
                QVERIFY2(store.add(sampleEntry(name, 1)), qPrintable(store.problemDetail()));
            }
            const QStringList moved = store.takeMovedAside();
            QCOMPARE(moved.size(), 1);
            movedTo = moved.constFirst();
            QVERIFY(store.takeMovedAside().isEmpty());
            QCOMPARE(store.entries(name)->size(), 1);
            QVERIFY(store.takeMovedAside().isEmpty());
        }
        QCOMPARE(QFileInfo(movedTo).path(), folder);
        QVERIFY(
            QFileInfo(movedTo).fileName().startsWith(QStringLiteral("kalder-vitalon.damaged-")));
        for (auto it = kept.cbegin(); it != kept.cend(); ++it)
            QVERIFY2(fileBytes(movedTo + it.key()) == it.value(), qPrintable(it.key()));
        if (damage == Damage::FolderWithContent)
            QCOMPARE(fileBytes(movedTo + QStringLiteral("/inside")), QByteArray("x"));
        if (damage == Damage::DanglingLink)
            QVERIFY(QFileInfo(movedTo).isSymLink());
        // The new database is sound, holds the one new entry, and is not reported again.
        HistoryStore again(folder);
        QCOMPARE(again.entries(QStringLiteral("Профиль 1"))->size(), 1);
        QVERIFY(again.takeMovedAside().isEmpty());
        Peek peek(path);
        QCOMPARE(peek.rows(QStringLiteral("PRAGMA integrity_check")),
                 QStringList{QStringLiteral("ok")});
    }

    // Two damaged files in the same second each get a name of their own.
    void movingAsideNeverOverwrites()
    {
        const QString path = m_dir->filePath(QStringLiteral("kalder-vitalon.sqlite"));
        QStringList moved;
        for (const QByteArray& bytes : {QByteArray("first"), QByteArray("second")}) {
            QVERIFY(writeFile(path, bytes));
            HistoryStore store(m_dir->path());
            QVERIFY(store.add(sampleEntry(QStringLiteral("Мама"), 1)));
            moved += store.takeMovedAside();
        }
        QCOMPARE(moved.size(), 2);
        QVERIFY(moved.at(0) != moved.at(1));
        QCOMPARE(fileBytes(moved.at(0)), QByteArray("first"));
        QCOMPARE(fileBytes(moved.at(1)), QByteArray("second"));
    }

    // A folder or file that refuses is reported as such: nothing is moved aside, nothing that
    // was stored is lost, and once the cause is gone the same store works again.
    void refusalsLoseNothing_data()
    {
        QTest::addColumn<Refusal>("refusal");
        QTest::addColumn<int>("stored");      // entries there before
        QTest::addColumn<bool>("openBefore"); // the store was in use before the refusal
        QTest::addColumn<bool>("readable");   // reading still works meanwhile
        QTest::newRow("folder is a file") << Refusal::FolderIsAFile << 0 << false << true;
        QTest::newRow("folder below a file") << Refusal::FolderBelowAFile << 0 << false << true;
#ifdef Q_OS_UNIX
        QTest::newRow("no room for a new database")
            << Refusal::NoRoomForNewDatabase << 0 << false << true;
        // Opening needs room for the log's shared index; an open store goes on reading.
        QTest::newRow("no room, store opened meanwhile")
            << Refusal::NoRoomInExistingDatabase << 4 << false << false;
        QTest::newRow("no room, store already open")
            << Refusal::NoRoomInExistingDatabase << 4 << true << true;
        QTest::newRow("no free file handles") << Refusal::NoFileHandles << 4 << false << false;
        QTest::newRow("read-only folder") << Refusal::ReadOnlyFolder << 0 << false << true;
        QTest::newRow("read-only folder with history")
            << Refusal::ReadOnlyFolderWithHistory << 4 << false << false;
        // A good database that this user may not read just now is no damaged one.
        QTest::newRow("unreadable database") << Refusal::UnreadableDatabase << 4 << false << false;
#endif
    }
    void refusalsLoseNothing()
    {
        QFETCH(Refusal, refusal);
        QFETCH(int, stored);
        QFETCH(bool, openBefore);
        QFETCH(bool, readable);
        QString folder = m_dir->filePath(QStringLiteral("data"));
        const QString blocker = m_dir->filePath(QStringLiteral("blocker"));
        if (refusal == Refusal::FolderIsAFile || refusal == Refusal::FolderBelowAFile) {
            QVERIFY(writeFile(blocker, "file"));
            folder = refusal == Refusal::FolderIsAFile ? blocker : blocker + QStringLiteral("/a/b");
        }
        const QString name = QStringLiteral("Профиль 1");
        {
            HistoryStore before(folder);
            for (int k = 0; k < stored; ++k)
                QVERIFY(before.add(sampleEntry(name, k)));
        }

        HistoryStore store(folder);
        if (openBefore)
            QCOMPARE(store.entries(name)->size(), stored);
        {
            std::unique_ptr<RefusedWrites> noRoom;
            std::unique_ptr<PermissionsBind> permissions;
#ifdef Q_OS_UNIX
            std::unique_ptr<NoFreeHandles> noHandles;
            switch (refusal) {
            case Refusal::NoRoomForNewDatabase:
            case Refusal::NoRoomInExistingDatabase:
                noRoom = std::make_unique<RefusedWrites>();
                break;
            case Refusal::NoFileHandles:
                noHandles = std::make_unique<NoFreeHandles>();
                break;
            case Refusal::ReadOnlyFolder:
            case Refusal::ReadOnlyFolderWithHistory:
                QVERIFY(QDir().mkpath(folder));
                QCOMPARE(chmod(QFile::encodeName(folder).constData(), 0500), 0);
                permissions = std::make_unique<PermissionsBind>();
                if (!permissions->active())
                    QSKIP("permissions cannot be made to bind");
                break;
            case Refusal::UnreadableDatabase:
                QVERIFY(QFile::setPermissions(store.location(), QFileDevice::WriteOwner));
                permissions = std::make_unique<PermissionsBind>();
                if (!permissions->active())
                    QSKIP("permissions cannot be made to bind");
                break;
            default:
                break;
            }
#endif
            QVERIFY(!store.add(sampleEntry(name, 50)));
            QCOMPARE(store.problem(), HistoryStore::Problem::Unavailable);
            QVERIFY(!store.problemDetail().isEmpty());
            const auto found = store.entries(name);
            if (readable) {
                QVERIFY2(found, qPrintable(store.problemDetail()));
                QCOMPARE(found->size(), stored);
            } else {
                QVERIFY(!found);
                QCOMPARE(store.problem(), HistoryStore::Problem::Unavailable);
            }
            QVERIFY(store.takeMovedAside().isEmpty());
        }
#ifdef Q_OS_UNIX
        chmod(QFile::encodeName(folder).constData(), 0700);
#endif
        if (refusal == Refusal::UnreadableDatabase)
            QVERIFY(QFile::setPermissions(store.location(),
                                          QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        if (refusal == Refusal::FolderIsAFile || refusal == Refusal::FolderBelowAFile) {
            QCOMPARE(fileBytes(blocker), QByteArray("file"));
            return;
        }
        QCOMPARE(folderListing(folder).filter(QStringLiteral("damaged")), QStringList());
        QVERIFY2(store.add(sampleEntry(name, 60)), qPrintable(store.problemDetail()));
        HistoryStore after(folder);
        QCOMPARE(after.entries(name)->size(), stored + 1);
    }

    // A writer killed at any moment loses at most the entry it was writing: every entry it
    // reported is there, exactly, and the file is sound.
    void killedWriterLosesAtMostTheEntryBeingWritten()
    {
        QMap<int, qint64> reported;
        for (int round = 0; round < 4; ++round) {
            const int first = round * 100000;
            QProcess writer;
            writer.start(
                QCoreApplication::applicationFilePath(),
                {QStringLiteral("--write-history"), m_dir->path(), QString::number(first)});
            QVERIFY(writer.waitForStarted());
            QByteArray out;
            while (out.count('\n') < 20 + 15 * round) {
                QVERIFY2(writer.waitForReadyRead(20000), writer.readAllStandardError());
                out += writer.readAllStandardOutput();
            }
            writer.kill();
            QVERIFY(writer.waitForFinished());
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
            out += writer.readAllStandardOutput();
            int reportedNow = 0;
            for (const QByteArray& line : out.split('\n')) {
                const QList<QByteArray> parts = line.split(' ');
                if (parts.size() == 2 && !parts.at(1).isEmpty()) {
                    reported.insert(parts.at(0).toInt(), parts.at(1).toLongLong());
                    ++reportedNow;
                }
            }

            HistoryStore store(m_dir->path());
            const auto found = store.entries(writerName);
            QVERIFY2(found, qPrintable(store.problemDetail()));
            QVERIFY(store.takeMovedAside().isEmpty());
            QMap<int, qint64> onDisk;
            for (const HistoryEntry& e : *found) {
                const int k = static_cast<int>(base.msecsTo(e.recordedAt));
                QCOMPARE(describe(e), describe(sampleEntry(writerName, k)));
                onDisk.insert(k, e.id);
            }
            for (auto it = reported.cbegin(); it != reported.cend(); ++it)
                QCOMPARE(onDisk.value(it.key(), -1), it.value());
            // This round's entries are first, first + 1, ...: all reported ones and at most
            // the one committed but not yet reported.
            const QList<int> mine = onDisk.keys();
            const auto from = std::lower_bound(mine.begin(), mine.end(), first);
            const int committed = static_cast<int>(mine.end() - from);
            QVERIFY2(
                committed == reportedNow || committed == reportedNow + 1,
                qPrintable(
                    QStringLiteral("%1 committed, %2 reported").arg(committed).arg(reportedNow)));
            QCOMPARE(mine.constLast(), first + committed - 1);
            Peek peek(store.location());
            QCOMPARE(peek.rows(QStringLiteral("PRAGMA integrity_check")),
                     QStringList{QStringLiteral("ok")});
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--write-history") == 0)
        return writeUntilKilled(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
    TestHistoryStore test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_historystore.moc"
