#include "core/history/UserDatabase.h"
#include "core/profiles/SettingsStore.h"

#include "RefusedWrites.h"
#include "StoreAccess.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString app = QStringLiteral("Kalder_Programming");

} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT
private slots:
    // Every case for the user's database and for QSettings, which keeps the registry on
    // Windows and is tested here through its INI files.
    void initTestCase_data()
    {
        QTest::addColumn<int>("backend");
        QTest::newRow("database") << int(SettingsStore::Backend::Database);
        QTest::newRow("QSettings") << int(SettingsStore::Backend::QSettings);
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void nestedSectionsLandInOneApplicationFile()
    {
        SettingsStore store(m_dir->path(), backend());
        QVERIFY(save(store, QStringLiteral("Vitalon2\\Presets"), QStringLiteral("LastIndex"),
                     QStringLiteral("1")));
        QStringList files;
        QDirIterator it(m_dir->path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(m_dir->path()).relativeFilePath(it.next());
        if (backend() == SettingsStore::Backend::QSettings) {
            const QString text = QString::fromUtf8(fileBytes(file()));
            QCOMPARE(files, QStringList({"Kalder_Programming/Kalder_Programming.conf"}));
            QVERIFY2(text.contains(QStringLiteral("[Vitalon2]")), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("Presets\\LastIndex=1")), qPrintable(text));
            return;
        }
        // The database and its log, nothing else; one row per section path and key.
        files.sort();
        QCOMPARE(files.filter(QStringLiteral("/")), QStringList());
        QCOMPARE(files.first(), UserDatabase::fileName());
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "peek");
        db.setDatabaseName(file());
        QVERIFY(db.open());
        {
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("SELECT application, section, key, value FROM setting")));
            QVERIFY(q.next());
            QCOMPARE(QStringList({q.value(0).toString(), q.value(1).toString(),
                                  q.value(2).toString(), q.value(3).toString()}),
                     QStringList({app, "Vitalon2/Presets", "LastIndex", "1"}));
            QVERIFY(!q.next());
        }
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    }

    // Texts that INI files treat specially come back exactly, also after a restart.
    void textsRoundTrip_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("value");
        const QString base = QStringLiteral("Vitalon2\\Presets\\");
        QTest::newRow("cyrillic") << base + QStringLiteral("Утро") << QStringLiteral("Вечер");
        QTest::newRow("outer blanks")
            << base + QStringLiteral("  Мама  ") << QStringLiteral("  Мама  ");
        QTest::newRow("quotes") << base + QStringLiteral("\"Папа\" 'Я'")
                                << QStringLiteral("\"Папа\" 'Я'");
        QTest::newRow("ini syntax")
            << base + QStringLiteral("a=b; c [d] #e") << QStringLiteral("a=b; c [d] #e");
        QTest::newRow("list-like") << base + QStringLiteral("a, b") << QStringLiteral("a, b");
        QTest::newRow("at sign") << base + QStringLiteral("@Variant(x)")
                                 << QStringLiteral("@Variant(x)");
        QTest::newRow("percent") << base + QStringLiteral("%41%U0041")
                                 << QStringLiteral("%41%U0041");
        QTest::newRow("tab") << base + QStringLiteral("a\tb") << QStringLiteral("a\tb");
    }
    void textsRoundTrip()
    {
        QFETCH(QString, section);
        QFETCH(QString, value);
        {
            SettingsStore store(m_dir->path(), backend());
            QVERIFY(save(store, section, QStringLiteral("C14"), value));
            QCOMPARE(storedText(store, section, QStringLiteral("C14"), QString()), value);
        }
        SettingsStore again(m_dir->path(), backend());
        QCOMPARE(storedText(again, section, QStringLiteral("C14"), QStringLiteral("-")), value);
        QCOMPARE(again.keys(app, section).value(QStringLiteral("C14")), value);
        // No neighbour that differs only in blanks or case appears.
        QCOMPARE(again.keys(app, section.trimmed() + QStringLiteral("x")).size(), 0);
    }

    void sectionsDifferingInCaseStayApart()
    {
        SettingsStore store(m_dir->path(), backend());
        QVERIFY(
            save(store, QStringLiteral("P\\Анна"), QStringLiteral("C30"), QStringLiteral("30")));
        QVERIFY(
            save(store, QStringLiteral("P\\анна"), QStringLiteral("C30"), QStringLiteral("40")));
        QVERIFY(deleteSection(store, QStringLiteral("P\\анна")));
        SettingsStore again(m_dir->path(), backend());
        QCOMPARE(storedText(again, QStringLiteral("P\\Анна"), QStringLiteral("C30"), QString()),
                 QStringLiteral("30"));
        QCOMPARE(storedText(again, QStringLiteral("P\\анна"), QStringLiteral("C30"),
                            QStringLiteral("absent")),
                 QStringLiteral("absent"));
    }

    void absentKeyGivesDefault()
    {
        SettingsStore store(m_dir->path(), backend());
        QCOMPARE(storedText(store, QStringLiteral("Vitalon2\\Presets"), QStringLiteral("LastIndex"),
                            QStringLiteral("0")),
                 QStringLiteral("0"));
        QVERIFY(store.keys(app, QStringLiteral("Vitalon2\\Presets")).isEmpty());
        // Reading creates no file.
        QVERIFY(!QFile::exists(file()));
    }

    // A section and a key may share a name ("LastIndex" as a profile name); deleting one must
    // not take the other, nor a deeper section, with it.
    void deletionsTakeOnlyWhatTheyName()
    {
        SettingsStore store(m_dir->path(), backend());
        const QString list = QStringLiteral("Vitalon2\\Presets");
        SettingsStore::Batch b;
        b.save(list, QStringLiteral("A"), QStringLiteral("key named A"));
        b.save(list, QStringLiteral("_1_"), QStringLiteral("B"));
        b.save(list + QStringLiteral("\\A"), QStringLiteral("C14"), QStringLiteral("11"));
        b.save(list + QStringLiteral("\\A\\B"), QStringLiteral("C14"), QStringLiteral("12"));
        b.save(list + QStringLiteral("\\_1_"), QStringLiteral("C14"), QStringLiteral("13"));
        QVERIFY(store.apply(app, b));

        QVERIFY(deleteSection(store, list + QStringLiteral("\\A")));
        QVERIFY(deleteKey(store, list, QStringLiteral("_1_")));

        SettingsStore again(m_dir->path(), backend());
        QCOMPARE(storedText(again, list + QStringLiteral("\\A"), QStringLiteral("C14"), "gone"),
                 QStringLiteral("gone"));
        QCOMPARE(storedText(again, list, QStringLiteral("A"), QString()),
                 QStringLiteral("key named A"));
        QCOMPARE(
            storedText(again, list + QStringLiteral("\\A\\B"), QStringLiteral("C14"), QString()),
            QStringLiteral("12"));
        QCOMPARE(storedText(again, list, QStringLiteral("_1_"), "gone"), QStringLiteral("gone"));
        QCOMPARE(
            storedText(again, list + QStringLiteral("\\_1_"), QStringLiteral("C14"), QString()),
            QStringLiteral("13"));
    }

    // The disk refuses every write, or takes small files (such as the lock) but not the store.
    void refusedWriteChangesNothing_data()
    {
        QTest::addColumn<int>("limit");
        QTest::newRow("no file") << 0;
        QTest::newRow("no file over 512 bytes") << 512;
    }
    void refusedWriteChangesNothing()
    {
        QFETCH(int, limit);
        if (!RefusedWrites::available())
            QSKIP("no way to refuse writes here");
        // QSettings writes its INI files with QSaveFile, which puts a short write in place as
        // if it were whole; the registry it uses on Windows knows no such case.
        if (limit > 0 && backend() == SettingsStore::Backend::QSettings)
            QSKIP("QSettings' INI files take a short write for a whole one");
        SettingsStore store(m_dir->path(), backend());
        QVERIFY(save(store, QStringLiteral("Filler"), QStringLiteral("Text"), QString(1000, 'x')));
        const QString list = QStringLiteral("Vitalon2\\Presets");
        QVERIFY(save(store, list, QStringLiteral("_1_"), QStringLiteral("Утро")));
        QVERIFY(save(store, list + QStringLiteral("\\Утро"), QStringLiteral("C30"),
                     QStringLiteral("40")));
        const QByteArray before = fileBytes(file());

        SettingsStore::Batch b;
        b.deleteKey(list, QStringLiteral("_1_"));
        b.deleteSection(list + QStringLiteral("\\Утро"));
        b.save(list, QStringLiteral("_2_"), QStringLiteral("Утро"));
        b.save(list + QStringLiteral("\\Утро"), QStringLiteral("C30"), QStringLiteral("50"));
        {
            RefusedWrites refused(limit);
            QVERIFY(!store.apply(app, b));
            QVERIFY(!save(store, list, QStringLiteral("LastIndex"), QStringLiteral("9")));
        }
        // This process still reads what the file holds, and the file is untouched.
        QCOMPARE(storedText(store, list, QStringLiteral("_1_"), QString()), QStringLiteral("Утро"));
        QCOMPARE(storedText(store, list, QStringLiteral("_2_"), "absent"),
                 QStringLiteral("absent"));
        QCOMPARE(storedText(store, list, QStringLiteral("LastIndex"), "absent"),
                 QStringLiteral("absent"));
        QCOMPARE(
            storedText(store, list + QStringLiteral("\\Утро"), QStringLiteral("C30"), QString()),
            QStringLiteral("40"));
        QCOMPARE(fileBytes(file()), before);

        // Once the disk takes writes again, so does the store.
        QVERIFY(store.apply(app, b));
        SettingsStore again(m_dir->path(), backend());
        QCOMPARE(storedText(again, list, QStringLiteral("_2_"), QString()), QStringLiteral("Утро"));
        QCOMPARE(
            storedText(again, list + QStringLiteral("\\Утро"), QStringLiteral("C30"), QString()),
            QStringLiteral("50"));
    }

    // A hand-damaged file still takes writes: QSettings reads what it can of it, the database
    // is moved aside (kept) and a new one begins.
    void damagedFileStillTakesWrites()
    {
        SettingsStore store(m_dir->path(), backend());
        const QString path = file();
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        const QByteArray damage("[Vitalon2\nPresets\\_1_=Утро\nno equals sign\n");
        QFile damaged(path);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(damage);
        damaged.close();
        QVERIFY(save(store, QStringLiteral("Vitalon2\\Presets"), QStringLiteral("LastIndex"),
                     QStringLiteral("1")));
        SettingsStore again(m_dir->path(), backend());
        QCOMPARE(storedText(again, QStringLiteral("Vitalon2\\Presets"), QStringLiteral("LastIndex"),
                            QString()),
                 QStringLiteral("1"));
        if (backend() == SettingsStore::Backend::Database) {
            const QStringList aside = QDir(m_dir->path()).entryList({"*.damaged-*"}, QDir::Files);
            QCOMPARE(aside.size(), 1);
            QCOMPARE(fileBytes(m_dir->filePath(aside.constFirst())), damage);
        }
    }

    void folderThatCannotExistRefusesWrites()
    {
        QFile blocker(m_dir->filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        SettingsStore store(blocker.fileName() + QStringLiteral("/settings"), backend());
        QVERIFY(!save(store, QStringLiteral("Vitalon2\\Presets"), QStringLiteral("_1_"),
                      QStringLiteral("Утро")));
        QCOMPARE(storedText(store, QStringLiteral("Vitalon2\\Presets"), QStringLiteral("_1_"), "-"),
                 QStringLiteral("-"));
    }

private:
    static SettingsStore::Backend backend()
    {
        QFETCH_GLOBAL(int, backend);
        return SettingsStore::Backend(backend);
    }
    QString file() const { return storeFile(m_dir->path(), backend()); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
