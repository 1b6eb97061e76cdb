#include "core/data/CopyFile.h"
#include "core/data/DataTransfer.h"
#include "core/history/HistoryStore.h"
#include "core/profiles/ProfileKeys.h"
#include "core/profiles/ProfileStore.h"
#include "core/profiles/SettingsStore.h"

#include "RefusedWrites.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <memory>

namespace {

const QDateTime base(QDate(2025, 3, 30), QTime(1, 59, 58, 997), Qt::UTC);

// A valid entry whose inputs and results follow from k, recorded at base + k ms.
HistoryEntry entry(const QString& name, int k)
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
        in.statements[size_t(i)] = (k + i) % 3;
    in.healthRating = k % 5 - 1;
    AssessmentResult r;
    r.healthIndex = k % 40;
    r.biologicalAge = FixedPoint::fromRaw(-190000 + 3701 * k);
    r.properBiologicalAge = FixedPoint::fromRaw(314500 + 13 * k);
    r.ageDifference = r.biologicalAge - r.properBiologicalAge;
    r.verdictCase = k % 6;
    return HistoryEntry::fromAssessment(name, in, r, base.addMSecs(k));
}

ProfileInputs inputs(int k)
{
    ProfileInputs p;
    p.calendarAge = 20 + k;
    p.bodyMass = 60 + k;
    p.systolic = 11 + k % 3;
    p.male = k % 2 == 0;
    p.female = k % 2 != 0;
    p.statements[size_t(k % 27)] = 1;
    p.healthRating = k % 4;
    return p;
}

// One user's stores in folders of their own.
class Home
{
public:
    explicit Home(const QString& folder)
        : m_folder(folder), m_settings(std::make_unique<SettingsStore>(folder + "/settings")),
          m_history(std::make_unique<HistoryStore>(folder + "/data")), m_profiles(*m_settings)
    {
    }
    SettingsStore& settings() { return *m_settings; }
    HistoryStore& history() { return *m_history; }
    ProfileStore& profiles() { return m_profiles; }
    DataTransfer transfer() { return DataTransfer(*m_settings, *m_history); }
    QString dataFolder() const { return m_folder + "/data"; }

    // Everything stored, key by key and entry by entry (ids included), for exact comparison.
    QStringList snapshot()
    {
        QStringList lines;
        const QString app = ProfileStore::application();
        const auto list = m_settings->keys(app, ProfileStore::listSection());
        for (auto it = list.cbegin(); it != list.cend(); ++it) {
            lines << QStringLiteral("list %1=%2").arg(it.key(), it.value());
            if (ProfileStore::numberOfKey(it.key())) {
                const auto section =
                    m_settings->keys(app, ProfileStore::profileSection(it.value()));
                for (auto key = section.cbegin(); key != section.cend(); ++key)
                    lines << QStringLiteral("[%1] %2=%3").arg(it.value(), key.key(), key.value());
            }
        }
        const auto entries = m_history->allEntries();
        if (!entries)
            return {QStringLiteral("history unreadable")};
        for (const HistoryEntry& e : *entries) {
            QString states;
            for (int s : e.inputs.statements)
                states += QString::number(s);
            lines << QStringLiteral("entry %1 %2 [%3] %4 %5 %6 %7 %8")
                         .arg(e.id)
                         .arg(e.recordedAt.toMSecsSinceEpoch())
                         .arg(e.profileName)
                         .arg(e.inputs.calendarAge)
                         .arg(states)
                         .arg(e.inputs.healthRating)
                         .arg(e.biologicalAge.raw())
                         .arg(e.verdictCase);
        }
        lines.sort();
        return lines;
    }

    QStringList automaticCopies() const
    {
        return QDir(dataFolder())
            .entryList({DataTransfer::automaticCopyPrefix() + "*"}, QDir::Files, QDir::Name);
    }

private:
    QString m_folder;
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<HistoryStore> m_history;
    ProfileStore m_profiles;
};

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Runs statements on an SQLite file as another program would.
bool alter(const QString& path, const QStringList& statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "alter");
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        for (const QString& s : statements)
            ok = ok && q.exec(s);
        db.close();
    }
    QSqlDatabase::removeDatabase("alter");
    return ok;
}

} // namespace

class DataTransferTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_folder = m_dir.path() + QStringLiteral("/%1").arg(++m_run);
    }

    // A copy restored with Replace into an empty home holds every name, key, text and entry
    // as they were, the ids included.
    void replaceIntoEmptyHomeIsExact()
    {
        Home source(m_folder + "/a");
        fill(source);
        const QString copy = m_folder + "/copy.kvbackup";
        const DataTransfer::Outcome made = source.transfer().backup(copy);
        QVERIFY2(made.ok, qPrintable(made.message));

        Home target(m_folder + "/b");
        const DataTransfer::Outcome restored =
            target.transfer().restore(copy, DataTransfer::Mode::Replace);
        QVERIFY2(restored.ok, qPrintable(restored.message));
        QCOMPARE(target.snapshot(), source.snapshot());
        QVERIFY(restored.message.contains(QDir::toNativeSeparators(restored.automaticCopy)));
        QVERIFY(QFileInfo(restored.automaticCopy).isFile());
    }

    // A file name that looks like placeholders is named in every message as it is.
    void messagesNameTheFileAsItIs()
    {
        Home source(m_folder + "/a");
        fill(source);
        const QString copy = m_folder + "/copy %1 %2.kvbackup";
        const QString named = QStringLiteral("«%1»").arg(QDir::toNativeSeparators(copy));
        const DataTransfer::Outcome made = source.transfer().backup(copy);
        QVERIFY2(made.ok, qPrintable(made.message));
        QVERIFY2(made.message.contains(named), qPrintable(made.message));
        for (const DataTransfer::Mode mode :
             {DataTransfer::Mode::Merge, DataTransfer::Mode::Replace}) {
            Home target(m_folder + (mode == DataTransfer::Mode::Merge ? "/b" : "/c"));
            const DataTransfer::Outcome restored = target.transfer().restore(copy, mode);
            QVERIFY2(restored.ok, qPrintable(restored.message));
            QVERIFY2(restored.message.contains(named), qPrintable(restored.message));
        }
    }

    // Profiles merge as the save command saves them; records already there are not added
    // again, so a second restore changes nothing.
    void mergeTwiceAddsNothingTwice()
    {
        Home source(m_folder + "/a");
        QVERIFY(source.profiles().Save("Утро", false, inputs(1)));  // 1
        QVERIFY(source.profiles().Save("Ночь", false, inputs(2)));  // 2
        QVERIFY(source.profiles().Save("Вечер", false, inputs(3))); // 3
        QVERIFY(source.history().addAll({entry("Утро", 1), entry("Вечер", 2)}));
        const QString copy = m_folder + "/copy.kvbackup";
        QVERIFY(source.transfer().backup(copy).ok);

        Home target(m_folder + "/b");
        QVERIFY(target.profiles().Save("Вечер", false, inputs(7))); // 1
        for (int n = 0; n < 4; ++n)
            QVERIFY(target.profiles().Save("Прочий", n > 0, inputs(8))); // ends as 5
        QVERIFY(target.history().addAll({entry("Вечер", 2), entry("Прочий", 9)}));

        const DataTransfer::Outcome first =
            target.transfer().restore(copy, DataTransfer::Mode::Merge);
        QVERIFY2(first.ok, qPrintable(first.message));
        // Вечер keeps number 1 with the copy's values; the new names follow both lasts (5, 3).
        QCOMPARE(target.profiles().LoadPresets(), QStringList({"Вечер", "Прочий", "Утро", "Ночь"}));
        const auto list =
            target.settings().keys(ProfileStore::application(), ProfileStore::listSection());
        QCOMPARE(list.value("_1_"), QStringLiteral("Вечер"));
        QCOMPARE(list.value("_6_"), QStringLiteral("Утро"));
        QCOMPARE(list.value("_7_"), QStringLiteral("Ночь"));
        QCOMPARE(list.value("LastIndex"), QStringLiteral("7"));
        QCOMPARE(target.profiles().Read("Вечер"), inputs(3));
        QCOMPARE(target.profiles().Read("Прочий"), inputs(8));
        QCOMPARE(target.history().allEntries()->size(), 3);
        QVERIFY(first.message.contains(QStringLiteral("добавлено записей истории — 1")));

        const QStringList afterFirst = target.snapshot();
        const DataTransfer::Outcome second =
            target.transfer().restore(copy, DataTransfer::Mode::Merge);
        QVERIFY2(second.ok, qPrintable(second.message));
        QCOMPARE(target.snapshot(), afterFirst);
        QVERIFY(second.message.contains(QStringLiteral("добавлено записей истории — 0")));
    }

    // Restoring the automatic copy with Replace undoes either kind of restore exactly.
    void automaticCopyUndoesRestore_data()
    {
        QTest::addColumn<DataTransfer::Mode>("mode");
        QTest::newRow("merge") << DataTransfer::Mode::Merge;
        QTest::newRow("replace") << DataTransfer::Mode::Replace;
    }
    void automaticCopyUndoesRestore()
    {
        QFETCH(DataTransfer::Mode, mode);
        Home source(m_folder + "/a");
        QVERIFY(source.profiles().Save("Вечер", false, inputs(4)));
        QVERIFY(source.profiles().Save("Новый", false, inputs(5)));
        QVERIFY(source.history().addAll({entry("Вечер", 30), entry("Новый", 31)}));
        const QString copy = m_folder + "/copy.kvbackup";
        QVERIFY(source.transfer().backup(copy).ok);

        Home target(m_folder + "/b");
        fill(target);
        const QStringList before = target.snapshot();
        const DataTransfer::Outcome restored = target.transfer().restore(copy, mode);
        QVERIFY2(restored.ok, qPrintable(restored.message));
        QVERIFY(target.snapshot() != before);

        const DataTransfer::Outcome undone =
            target.transfer().restore(restored.automaticCopy, DataTransfer::Mode::Replace);
        QVERIFY2(undone.ok, qPrintable(undone.message));
        QCOMPARE(target.snapshot(), before);
    }

    // Anything but a sound copy of this program is refused, says why, and changes nothing:
    // not even an automatic copy is made.
    void refusedFileChangesNothing_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("why");
        QTest::newRow("random bytes") << "random"
                                      << "не является копией";
        QTest::newRow("empty file") << "empty"
                                    << "не является копией";
        QTest::newRow("truncated") << "truncate"
                                   << "повреждена";
        QTest::newRow("another program's SQLite file") << "foreign"
                                                       << "не является копией";
        QTest::newRow("the history database itself") << "database"
                                                     << "не является копией";
        QTest::newRow("newer format") << "newer"
                                      << "более новой версией";
        QTest::newRow("failed integrity check") << "corrupt"
                                                << "повреждена";
        QTest::newRow("a view instead of a table") << "view"
                                                   << "не является копией";
        QTest::newRow("unknown profile key")
            << "UPDATE profile_value SET key = 'C99' WHERE key = 'C30'"
            << "недопустимые данные";
        QTest::newRow("value no control takes")
            << "UPDATE profile_value SET value = 'много' WHERE key = 'C30'"
            << "недопустимые данные";
        QTest::newRow("name with a section separator")
            << "UPDATE profile_list SET value = 'a\\b' WHERE key = '_2_'; "
               "UPDATE profile_value SET profile = 'a\\b' WHERE profile = '  с пробелами  '"
            << "недопустимые данные";
        QTest::newRow("values of an unlisted profile")
            << "INSERT INTO profile_value VALUES ('Чужой', 'C30', '40')"
            << "недопустимые данные";
        QTest::newRow("LastIndex not a number")
            << "UPDATE profile_list SET value = '-1' WHERE key = 'LastIndex'"
            << "недопустимые данные";
        QTest::newRow("entry out of range") << "UPDATE entry SET verdict = 9 WHERE id = 1"
                                            << "недопустимые данные";
        QTest::newRow("entry with text for a number")
            << "UPDATE entry SET calendar_age = 'сорок' WHERE id = 1"
            << "недопустимые данные";
        QTest::newRow("entry whose difference does not add up")
            << "UPDATE entry SET age_difference = age_difference + 1 WHERE id = 1"
            << "недопустимые данные";
    }
    void refusedFileChangesNothing()
    {
        QFETCH(QString, damage);
        QFETCH(QString, why);
        Home source(m_folder + "/a");
        fill(source);
        const QString copy = m_folder + "/copy.kvbackup";
        QVERIFY(source.transfer().backup(copy).ok);
        const QByteArray good = bytesOf(copy);

        if (damage == "random") {
            QByteArray noise(4096, '\0');
            for (char& c : noise)
                c = char(QRandomGenerator::global()->bounded(256));
            QVERIFY(writeBytes(copy, noise));
        } else if (damage == "empty") {
            QVERIFY(writeBytes(copy, {}));
        } else if (damage == "truncate") {
            QVERIFY(writeBytes(copy, good.left(good.size() / 2)));
        } else if (damage == "foreign") {
            QVERIFY(QFile::remove(copy));
            QVERIFY(
                alter(copy, {"CREATE TABLE notes (text TEXT)", "INSERT INTO notes VALUES ('x')"}));
        } else if (damage == "database") {
            QVERIFY(QFile::remove(copy));
            QVERIFY(QFile::copy(source.history().location(), copy));
        } else if (damage == "newer") {
            QVERIFY(alter(
                copy,
                {QStringLiteral("PRAGMA user_version = %1").arg(CopyFile::formatVersion + 1)}));
        } else if (damage == "corrupt") {
            // A page of the records overwritten; the header stays sound.
            const int pageSize = qFromBigEndian<quint16>(good.constData() + 16);
            QByteArray spoiled = good;
            const qsizetype page = spoiled.size() / pageSize - 2;
            QVERIFY(page > 2);
            for (qsizetype i = page * pageSize; i < (page + 1) * pageSize; i += 7)
                spoiled[i] = char(0xA5);
            QVERIFY(writeBytes(copy, spoiled));
        } else if (damage == "view") {
            QVERIFY(alter(copy, {"ALTER TABLE entry RENAME TO stored",
                                 "CREATE VIEW entry AS SELECT * FROM stored"}));
        } else {
            QVERIFY(alter(copy, damage.split(QStringLiteral("; "))));
        }

        Home target(m_folder + "/b");
        fill(target);
        const QStringList before = target.snapshot();
        for (const DataTransfer::Mode mode :
             {DataTransfer::Mode::Merge, DataTransfer::Mode::Replace}) {
            const DataTransfer::Outcome outcome = target.transfer().restore(copy, mode);
            QVERIFY(!outcome.ok);
            QVERIFY2(outcome.message.contains(why), qPrintable(outcome.message));
            QVERIFY(outcome.message.contains(QDir::toNativeSeparators(copy)));
        }
        QCOMPARE(target.snapshot(), before);
        QCOMPARE(target.automaticCopies(), QStringList());
    }

    // A backup onto an existing file that the disk refuses leaves that file whole, and
    // leaves nothing of its own behind.
    void refusedBackupKeepsOldFile_data()
    {
        QTest::addColumn<unsigned long long>("limit");
        QTest::newRow("no room at all") << 0ULL;
        QTest::newRow("room for part of the copy") << 16384ULL;
    }
    void refusedBackupKeepsOldFile()
    {
        QFETCH(unsigned long long, limit);
        if (!RefusedWrites::available())
            QSKIP("no file-size limit on this platform");
        Home home(m_folder + "/a");
        fill(home);
        QList<HistoryEntry> many;
        for (int k = 0; k < 600; ++k)
            many.append(entry(QStringLiteral("Много"), 100 + k));
        QVERIFY(home.history().addAll(many));
        const QString target = m_folder + "/copy.kvbackup";
        const QByteArray old("an older copy that must survive");
        QVERIFY(writeBytes(target, old));
        {
            RefusedWrites refused(limit);
            const DataTransfer::Outcome outcome = home.transfer().backup(target);
            QVERIFY(!outcome.ok);
            QVERIFY2(outcome.message.contains(QDir::toNativeSeparators(target)),
                     qPrintable(outcome.message));
        }
        QCOMPARE(bytesOf(target), old);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"copy.kvbackup"});
        // And once the disk takes it, the same call replaces the file whole.
        QVERIFY(home.transfer().backup(target).ok);
        QVERIFY(CopyFile::read(target).copy.has_value());
    }

    // Each restore keeps its automatic copy; only the last five stay.
    void automaticCopiesKeepLastFive()
    {
        Home source(m_folder + "/a");
        fill(source);
        const QString copy = m_folder + "/copy.kvbackup";
        QVERIFY(source.transfer().backup(copy).ok);
        Home target(m_folder + "/b");
        QStringList made;
        for (int n = 0; n < DataTransfer::automaticCopiesKept + 2; ++n) {
            const DataTransfer::Outcome outcome =
                target.transfer().restore(copy, DataTransfer::Mode::Merge);
            QVERIFY2(outcome.ok, qPrintable(outcome.message));
            made << QFileInfo(outcome.automaticCopy).fileName();
        }
        QCOMPARE(made.size(), QSet<QString>(made.cbegin(), made.cend()).size());
        QStringList kept = made.mid(made.size() - DataTransfer::automaticCopiesKept);
        kept.sort();
        QCOMPARE(target.automaticCopies(), kept);
    }

private:
    // Profiles with names and texts as users and earlier versions left them, and a history.
    static void fill(Home& home)
    {
        QVERIFY(home.profiles().Save("Вечер", false, inputs(1)));
        QVERIFY(home.profiles().Save("  с пробелами  ", false, inputs(2)));
        QVERIFY(home.profiles().Save("Кавычки \"'; и %1", false, inputs(3)));
        QVERIFY(home.profiles().Save("Вечер", true, inputs(4)));
        // A text the reading steps take, kept as written.
        SettingsStore::Batch batch;
        batch.save(ProfileStore::profileSection("Вечер"), "C31", " 075");
        QVERIFY(home.settings().apply(ProfileStore::application(), batch));
        QVERIFY(home.history().addAll(
            {entry("Вечер", 1), entry("Вечер", 2), entry("", 3), entry("  с пробелами  ", 4)}));
        QVERIFY(home.history().remove(2)); // ids with a gap
    }

    QTemporaryDir m_dir;
    QString m_folder;
    int m_run = 0;
};

QTEST_GUILESS_MAIN(DataTransferTest)
#include "tst_datatransfer.moc"
