// The settings store in the user's database: the carry-over of the settings files of earlier
// versions, and what a refusing, busy, damaged or killed store does to the profiles.
#include "core/history/UserDatabase.h"
#include "core/profiles/SettingsStore.h"

#include "PermissionsBind.h"
#include "StoreAccess.h"
#include "StoreFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

const QString app = QStringLiteral("Kalder_Programming");
const QString list = QStringLiteral("Vitalon2\\Presets");

// A connection of the test's own to a database file.
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
    // Every row's columns joined by " | ", or the error text.
    QStringList rows(const QString& statement) const
    {
        QSqlQuery q(db());
        if (!q.exec(statement))
            return {QStringLiteral("error: ") + q.lastError().text()};
        QStringList found;
        while (q.next()) {
            QStringList columns;
            for (int c = 0; c < q.record().count(); ++c)
                columns << q.value(c).toString();
            found << columns.join(QStringLiteral(" | "));
        }
        return found;
    }

private:
    static inline int s_count = 0;
    QString m_name;
};

// The child side of the crash test: writes batch k = 1, 2, ... (a name key, LastIndex and a
// profile section of three keys) and reports k once it is stored, until it is killed.
int writeUntilKilled(const QString& folder)
{
    SettingsStore store(folder);
    for (int k = 1; k < 1000000; ++k) {
        SettingsStore::Batch b;
        const QString name = QStringLiteral("Профиль %1").arg(k);
        b.save(list, QStringLiteral("_%1_").arg(k), name);
        b.save(list, QStringLiteral("LastIndex"), QString::number(k));
        for (const char* key : {"C14", "C30", "C66"})
            b.save(list + '\\' + name, QString::fromLatin1(key), QString::number(k));
        if (!store.apply(app, b))
            return 1;
        std::printf("%d\n", k);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

class TestSettingsDatabase : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<StoreFolder>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup()
    {
#ifdef Q_OS_UNIX
        chmod(QFile::encodeName(m_dir->path()).constData(), 0700);
#endif
        m_dir.reset();
    }

    // The file QSettings wrote and the file of sections that later versions wrote from it
    // carry over to the very same rows: every application, section, key and text, other
    // programs' too. The earlier file is read once and never changed.
    void bothEarlierFilesCarryOverAlike()
    {
        QList<QStringList> carried;
        for (const char* fixture :
             {"legacy-company-settings", "legacy-company-settings-sections"}) {
            StoreFolder folder;
            QVERIFY(folder.copyLegacyFixture(QString::fromLatin1(fixture)));
            const QString earlier = QFileInfo::exists(folder.sectionsFile()) ? folder.sectionsFile()
                                                                             : folder.legacyFile();
            const QByteArray before = fileBytes(earlier);
            {
                SettingsStore store(folder.path());
                QCOMPARE(storedText(store, QStringLiteral("Kalder Notes\\Window"),
                                    QStringLiteral("Title"), QString()),
                         QStringLiteral("  Заметки = «мои»; v1,2  "));
                QVERIFY(save(store, list, QStringLiteral("LastIndex"), QStringLiteral("99")));
            }
            QCOMPARE(fileBytes(earlier), before);
            // Carried over through a rollback journal, then back on the write-ahead log.
            QCOMPARE(Peek(folder.file()).rows(QStringLiteral("PRAGMA journal_mode")),
                     QStringList{QStringLiteral("wal")});
            // Whatever the earlier file says afterwards is no longer read.
            QVERIFY(QFile::remove(earlier));
            {
                SettingsStore again(folder.path());
                QCOMPARE(storedText(again, list, QStringLiteral("LastIndex"), QString()),
                         QStringLiteral("99"));
            }
            Peek peek(folder.file());
            carried << peek.rows(QStringLiteral(
                "SELECT application, section, key, value FROM setting ORDER BY 1, 2, 3"));
            QCOMPARE(peek.rows(QStringLiteral("SELECT application FROM settings_carried_over")),
                     QStringList{app});
        }
        QVERIFY(carried.at(0).size() > 500);
        QCOMPARE(carried.at(1), carried.at(0));
        for (const QString& row :
             {QStringLiteral("Kalder_Programming |  | Installed | 2.0.75"),
              QStringLiteral("Kalder_Programming | Kalder Notes/Recent | File1 | "
                             "C:\\Users\\Ирина\\Документы\\a.txt"),
              QStringLiteral(
                  "Kalder_Programming | Kalder Notes/Recent | File2 | line1\nline2\ttab"),
              QStringLiteral("Kalder_Programming | Vitalon1/Presets/Старый | C30 | 44"),
              QStringLiteral("Kalder_Programming | Vitalon2/Presets/  Вечер   | C66 | 2")})
            QVERIFY2(carried.at(0).contains(row), qPrintable(row));
    }

    // The carry-over takes the keys in chunks of 20,000; every value of a file of many sections
    // arrives, whatever the chunk it falls in, with sections whose names sort apart from their
    // keys ("P 1" before "P 1 b", while "P 1 b/C14" sorts before "P 1/C14"), sections whose
    // keys a subsection splits, and keys at the top.
    void manySectionsCarryOverWhole_data()
    {
        QTest::addColumn<int>("sections");
        QTest::newRow("1") << 1;
        QTest::newRow("within a chunk") << 500;
        QTest::newRow("past a chunk") << 2501;
        QTest::newRow("several chunks") << 6203;
    }
    void manySectionsCarryOverWhole()
    {
        QFETCH(int, sections);
        QStringList expected;
        {
            QDir().mkpath(QFileInfo(m_dir->legacyFile()).path());
            QSettings earlier(m_dir->legacyFile(), QSettings::IniFormat);
            earlier.setValue(QStringLiteral("Installed"), QStringLiteral("2.0.75"));
            expected << QStringLiteral("Kalder_Programming |  | Installed | 2.0.75");
            for (int i = 0; i < sections; ++i) {
                const QString section = QStringLiteral("Vitalon2/Presets/P %1").arg(i);
                for (const QString& sub : {section, section + QStringLiteral(" b")}) {
                    // "m/k" sorts between "C30" and "zz", splitting the section's keys.
                    for (const char* key : {"C14", "C30", "m/k", "zz"}) {
                        const QString full = sub + QLatin1Char('/') + QLatin1String(key);
                        const QString value = QStringLiteral("«%1»").arg(full);
                        earlier.setValue(full, value);
                        const qsizetype slash = full.lastIndexOf(QLatin1Char('/'));
                        expected << QStringLiteral("Kalder_Programming | %1 | %2 | %3")
                                        .arg(full.first(slash), full.sliced(slash + 1), value);
                    }
                }
            }
            earlier.sync();
            QCOMPARE(earlier.status(), QSettings::NoError);
        }
        {
            SettingsStore store(m_dir->path());
            QCOMPARE(storedText(store, list + QStringLiteral("\\P 0 b"), QStringLiteral("C30"),
                                QString()),
                     QStringLiteral("«Vitalon2/Presets/P 0 b/C30»"));
        }
        Peek peek(m_dir->file());
        QStringList carried =
            peek.rows(QStringLiteral("SELECT application, section, key, value FROM setting"));
        carried.sort();
        expected.sort();
        QCOMPARE(carried.size(), expected.size());
        QCOMPARE(carried, expected);
    }

    // Where both earlier files exist, the file of sections is the one carried over: it was
    // written from the other and holds every change made since.
    void fileOfSectionsWinsOverTheOlderFile()
    {
        QVERIFY(m_dir->copyLegacyFixture(QStringLiteral("legacy-profiles")));
        QVERIFY(QFile::copy(QStringLiteral(VITALON_TEST_FIXTURES
                                           "/legacy-company-settings-sections/"
                                           "Kalder_Programming/Kalder_Programming.sections.ini"),
                            m_dir->sectionsFile()));
        SettingsStore store(m_dir->path());
        QCOMPARE(storedText(store, QStringLiteral("Vitalon1\\Presets"), QStringLiteral("_1_"),
                            QString()),
                 QStringLiteral("Старый"));
        // A profile only the older file holds is not mixed in.
        QCOMPARE(storedText(store, list + QStringLiteral("\\Без пола"), QStringLiteral("C30"),
                            QStringLiteral("absent")),
                 QStringLiteral("absent"));
    }

#ifdef Q_OS_UNIX
    // A data folder that cannot be written: the earlier file's profiles still load, saves are
    // refused, and once the folder takes writes the carry-over happens with nothing lost.
    void refusedCarryOverStillReadsTheEarlierFile()
    {
        QVERIFY(m_dir->copyLegacyProfiles());
        const QByteArray before = fileBytes(m_dir->legacyFile());
        QCOMPARE(chmod(QFile::encodeName(m_dir->path()).constData(), 0500), 0);
        SettingsStore store(m_dir->path());
        {
            PermissionsBind permissions;
            if (!permissions.active())
                QSKIP("permissions cannot be made to bind");
            QCOMPARE(storedText(store, list, QStringLiteral("LastIndex"), QString()),
                     QStringLiteral("10"));
            QVERIFY(!save(store, list, QStringLiteral("LastIndex"), QStringLiteral("11")));
            QVERIFY(!QFileInfo::exists(m_dir->file()));
        }
        QCOMPARE(chmod(QFile::encodeName(m_dir->path()).constData(), 0700), 0);
        QVERIFY(save(store, list, QStringLiteral("LastIndex"), QStringLiteral("11")));
        QCOMPARE(storedText(store, list, QStringLiteral("_2_"), QString()),
                 QStringLiteral("  Мама Оля  "));
        QCOMPARE(fileBytes(m_dir->legacyFile()), before);
    }

    // A good database that merely cannot be opened just now is refused and left exactly where
    // it is: profiles are never set aside for a permission.
    void unopenableDatabaseIsLeftAlone()
    {
        {
            SettingsStore store(m_dir->path());
            QVERIFY(save(store, list, QStringLiteral("_1_"), QStringLiteral("Утро")));
        }
        QVERIFY(QFile::setPermissions(m_dir->file(), QFileDevice::WriteOwner));
        {
            PermissionsBind permissions;
            if (!permissions.active())
                QSKIP("permissions cannot be made to bind");
            SettingsStore store(m_dir->path());
            QCOMPARE(storedText(store, list, QStringLiteral("_1_"), QStringLiteral("-")),
                     QStringLiteral("-"));
            QVERIFY(!save(store, list, QStringLiteral("_2_"), QStringLiteral("Вечер")));
        }
        QVERIFY(
            QFile::setPermissions(m_dir->file(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QCOMPARE(QDir(m_dir->path()).entryList({QStringLiteral("*damaged*")}), QStringList());
        SettingsStore store(m_dir->path());
        QCOMPARE(storedText(store, list, QStringLiteral("_1_"), QString()), QStringLiteral("Утро"));
    }
#endif

    // Another connection's write lock: the write waits its while, is refused, changes nothing,
    // and the next one succeeds once the lock is gone.
    void busyDatabaseRefusesAfterWaiting()
    {
        SettingsStore store(m_dir->path());
        QVERIFY(save(store, list, QStringLiteral("_1_"), QStringLiteral("Утро")));
        {
            Peek other(m_dir->file());
            QCOMPARE(other.rows(QStringLiteral("BEGIN IMMEDIATE")), QStringList());
            QElapsedTimer waited;
            waited.start();
            QVERIFY(!save(store, list, QStringLiteral("_1_"), QStringLiteral("Вечер")));
            QVERIFY(waited.elapsed() >= UserDatabase::busyTimeoutMs - 50);
            QCOMPARE(other.rows(QStringLiteral("ROLLBACK")), QStringList());
        }
        QCOMPARE(storedText(store, list, QStringLiteral("_1_"), QString()), QStringLiteral("Утро"));
        QVERIFY(save(store, list, QStringLiteral("_1_"), QStringLiteral("Вечер")));
        QCOMPARE(storedText(store, list, QStringLiteral("_1_"), QString()),
                 QStringLiteral("Вечер"));
    }

    // A store reads its sections again once anything else has written: another store in the
    // same program, or another program's connection. Its own batches, a key that names a
    // section below the one given included, show at once.
    void readsFollowEveryWriter()
    {
        const QString section = list + QStringLiteral("\\Утро");
        SettingsStore store(m_dir->path());
        SettingsStore other(m_dir->path());
        SettingsStore::Batch first;
        first.save(list, QStringLiteral("_1_"), QStringLiteral("Утро"));
        first.save(section, QStringLiteral("C14"), QStringLiteral("1"));
        QVERIFY(store.apply(app, first));
        QCOMPARE(store.keys(app, list).value(QStringLiteral("_1_")), QStringLiteral("Утро"));
        QCOMPARE(store.keys(app, section).size(), 1);

        QVERIFY(save(other, list, QStringLiteral("_1_"), QStringLiteral("Вечер")));
        QCOMPARE(store.keys(app, list).value(QStringLiteral("_1_")), QStringLiteral("Вечер"));
        {
            Peek peek(m_dir->file());
            QSqlQuery q(peek.db());
            QVERIFY2(q.exec(QStringLiteral(
                         "DELETE FROM setting WHERE section = 'Vitalon2/Presets/Утро'")),
                     qPrintable(q.lastError().text()));
        }
        QVERIFY(store.keys(app, section).isEmpty());

        SettingsStore::Batch own;
        own.save(section, QStringLiteral("C30"), QStringLiteral("2"));
        own.save(list, QStringLiteral("Sub\\Key"), QStringLiteral("3"));
        own.deleteKey(list, QStringLiteral("_1_"));
        QVERIFY(store.apply(app, own));
        const QHash<QString, QString> listed = store.keys(app, list);
        QVERIFY(!listed.contains(QStringLiteral("_1_")));
        QVERIFY(!listed.contains(QStringLiteral("Sub/Key")) &&
                !listed.contains(QStringLiteral("Key")));
        QCOMPARE(store.keys(app, list + QStringLiteral("/Sub")).value(QStringLiteral("Key")),
                 QStringLiteral("3"));
        QCOMPARE(store.keys(app, section).value(QStringLiteral("C30")), QStringLiteral("2"));
        QCOMPARE(other.keys(app, section).value(QStringLiteral("C30")), QStringLiteral("2"));
        SettingsStore::Batch gone;
        gone.deleteSection(section);
        QVERIFY(store.apply(app, gone));
        QVERIFY(store.keys(app, section).isEmpty());
    }

    // A section read ahead stands only for what keys() would have read: it is taken for its own
    // section alone, gives way to a write made before it is taken, and to an earlier file that
    // is still to be carried over.
    void readAheadIsTheReadItStandsFor()
    {
        const QString morning = list + QStringLiteral("\\Утро");
        {
            SettingsStore store(m_dir->path());
            SettingsStore::Batch batch;
            batch.save(list, QStringLiteral("_1_"), QStringLiteral("Утро"));
            batch.save(morning, QStringLiteral("C14"), QStringLiteral("1"));
            QVERIFY(store.apply(app, batch));
        }
        {
            SettingsStore store(m_dir->path());
            store.readAhead(app, list);
            QCOMPARE(store.keys(app, morning), (QHash<QString, QString>{{"C14", "1"}}));
            QCOMPARE(store.keys(app, list), (QHash<QString, QString>{{"_1_", "Утро"}}));
        }
        {
            SettingsStore store(m_dir->path());
            store.readAhead(app, list);
            QCOMPARE(store.keys(app, list), (QHash<QString, QString>{{"_1_", "Утро"}}));
            QVERIFY(save(store, list, QStringLiteral("_1_"), QStringLiteral("Вечер")));
            QCOMPARE(storedText(store, list, QStringLiteral("_1_"), QString()),
                     QStringLiteral("Вечер"));
        }
        {
            SettingsStore store(m_dir->path());
            store.readAhead(app, list);
            QVERIFY(save(store, list, QStringLiteral("_2_"), QStringLiteral("Ночь")));
            QCOMPARE(store.keys(app, list).value(QStringLiteral("_2_")), QStringLiteral("Ночь"));
        }
        // A settings file of earlier versions that this database never took in.
        QVERIFY(m_dir->copyLegacyProfiles());
        SettingsStore store(m_dir->path());
        store.readAhead(app, list);
        QCOMPARE(storedText(store, list, QStringLiteral("LastIndex"), QString()),
                 QStringLiteral("10"));
        QCOMPARE(storedText(store, list, QStringLiteral("_2_"), QString()),
                 QStringLiteral("  Мама Оля  "));
    }

    // A file that is no database is reported once, kept aside with its log, and a new
    // database takes the write.
    void damagedDatabaseIsSetAsideOnce()
    {
        QVERIFY(QDir().mkpath(m_dir->path()));
        QFile junk(m_dir->file());
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
        junk.close();
        QFile log(m_dir->file() + QStringLiteral("-wal"));
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write("log");
        log.close();
        SettingsStore store(m_dir->path());
        QVERIFY(save(store, list, QStringLiteral("_1_"), QStringLiteral("Утро")));
        QVERIFY(save(store, list, QStringLiteral("_2_"), QStringLiteral("Вечер")));
        const QStringList aside =
            QDir(m_dir->path()).entryList({QStringLiteral("*.damaged-*")}, QDir::Files);
        QCOMPARE(aside.size(), 2); // the database and its log, once
        QCOMPARE(fileBytes(m_dir->path() + '/' + aside.at(0)), QByteArray(4096, 'x'));
        QCOMPARE(fileBytes(m_dir->path() + '/' + aside.at(1)), QByteArray("log"));
        QCOMPARE(storedText(store, list, QStringLiteral("_1_"), QString()), QStringLiteral("Утро"));
    }

    // A writer killed at any moment loses at most the batch it was writing: every batch it
    // reported is there whole, any other is there whole or not at all.
    void killedWriterLosesAtMostTheBatchBeingWritten()
    {
        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--write-settings"), m_dir->path()});
        QVERIFY(writer.waitForStarted());
        QByteArray out;
        while (out.count('\n') < 30) {
            QVERIFY2(writer.waitForReadyRead(20000), writer.readAllStandardError());
            out += writer.readAllStandardOutput();
        }
        writer.kill();
        QVERIFY(writer.waitForFinished());
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
        out += writer.readAllStandardOutput();
        int reported = 0;
        for (const QByteArray& line : out.split('\n'))
            reported = line.isEmpty() ? reported : line.toInt();

        SettingsStore store(m_dir->path());
        const int last = storedText(store, list, QStringLiteral("LastIndex"), "0").toInt();
        QVERIFY2(last == reported || last == reported + 1,
                 qPrintable(QStringLiteral("%1 stored, %2 reported").arg(last).arg(reported)));
        const QHash<QString, QString> names = store.keys(app, list);
        QCOMPARE(names.size(), last + 1);
        for (int k = 1; k <= last; ++k) {
            const QString name = QStringLiteral("Профиль %1").arg(k);
            QCOMPARE(names.value(QStringLiteral("_%1_").arg(k)), name);
            QCOMPARE(store.keys(app, list + '\\' + name).size(), 3);
        }
        Peek peek(m_dir->file());
        QCOMPARE(peek.rows(QStringLiteral("PRAGMA integrity_check")),
                 QStringList{QStringLiteral("ok")});
    }

private:
    std::unique_ptr<StoreFolder> m_dir;
};

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--write-settings") == 0)
        return writeUntilKilled(QString::fromLocal8Bit(argv[2]));
    TestSettingsDatabase test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsdatabase.moc"
