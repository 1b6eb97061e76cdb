// The store's own file on Linux: QSettings reads it alike and the store reads what QSettings
// writes; a damaged file gives up what can be read; the settings file of earlier versions is
// read as it is and carried over, whole, on the first write.
#include "core/profiles/ProfileStore.h"
#include "core/profiles/SettingsStore.h"

#include "LegacyProfiles.h"
#include "ProfileInputsText.h"
#include "StoreAccess.h"
#include "StoreFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPoint>
#include <QRandomGenerator>
#include <QRect>
#include <QSettings>
#include <QtTest>

#include <map>

namespace {

const QString app = QStringLiteral("Kalder_Programming");
const QString list = QStringLiteral("Vitalon2\\Presets");

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Sections ("/"-separated) with their keys and texts.
using Sections = std::map<QString, QHash<QString, QString>>;

// Every key of an INI file that QSettings can find by its name, as text.
Sections readByQSettings(const QString& file)
{
    Sections result;
    const QSettings s(file, QSettings::IniFormat);
    const QStringList all = s.allKeys();
    for (const QString& full : all) {
        const QVariant v = s.value(full);
        if (!v.isValid())
            continue;
        const qsizetype slash = full.lastIndexOf(QLatin1Char('/'));
        result[slash < 0 ? QString() : full.first(slash)].insert(full.sliced(slash + 1),
                                                                 v.toString());
    }
    return result;
}

// The store holds exactly these keys in each of these sections.
void compareSections(const SettingsStore& store, const Sections& expected)
{
    for (const auto& [section, keys] : expected)
        QCOMPARE(store.keys(app, section), keys);
}

// The store holds these keys (and maybe others) in these sections.
void containsSections(const SettingsStore& store, const Sections& expected)
{
    for (const auto& [section, keys] : expected) {
        const QHash<QString, QString> held = store.keys(app, section);
        for (auto it = keys.cbegin(); it != keys.cend(); ++it)
            QCOMPARE(held.value(it.key(), QStringLiteral("absent")), it.value());
    }
}

enum Damage
{
    RandomBytesAppended,
    RandomBytesInTheMiddle,
    CutInALine,
    HugeLines,
    CarriageReturns,
    NulBytes,
    OpenQuoteAtTheEnd,
    Emptied,
    FolderInItsPlace,
};

const Sections healthy = {
    {QStringLiteral("Vitalon2/Presets"),
     {{QStringLiteral("LastIndex"), QStringLiteral("2")},
      {QStringLiteral("_1_"), QStringLiteral("Утро")},
      {QStringLiteral("_2_"), QStringLiteral("Вечер")}}},
    {QStringLiteral("Vitalon2/Presets/Вечер"),
     {{QStringLiteral("C14"), QStringLiteral("2")}, {QStringLiteral("C30"), QStringLiteral("50")}}},
    {QStringLiteral("Vitalon2/Presets/Утро"),
     {{QStringLiteral("C14"), QStringLiteral("1")}, {QStringLiteral("C30"), QStringLiteral("40")}}},
};

QByteArray randomBytes(int size)
{
    QRandomGenerator random(20261210);
    QByteArray bytes(size, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random.bounded(256));
    return bytes;
}

QByteArray damaged(QByteArray bytes, Damage damage)
{
    const qsizetype secondSection = bytes.indexOf("[Vitalon2\\Presets\\");
    switch (damage) {
    case RandomBytesAppended:
        return bytes + '\n' + randomBytes(64 * 1024);
    case RandomBytesInTheMiddle:
        return bytes.insert(secondSection, randomBytes(64 * 1024));
    case CutInALine:
        return bytes.left(bytes.lastIndexOf("C30=40") + 5);
    case HugeLines:
        bytes.insert(secondSection, QByteArray(8 << 20, 'a') + '\n');
        return bytes + "[Huge]\nk=" + QByteArray(16 << 20, 'x');
    case CarriageReturns:
        return bytes.replace("\n", "\r\n");
    case NulBytes:
        return QByteArray(3, '\0') + '\n' + bytes.insert(secondSection, QByteArray(5, '\0') + '\n');
    case OpenQuoteAtTheEnd:
        return bytes + "[Open]\nk=\"no end";
    case Emptied:
    case FolderInItsPlace:
        break;
    }
    return QByteArray();
}

} // namespace

class TestSectionFileBackend : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<StoreFolder>();
        QVERIFY(m_dir->isValid());
    }

    // Names and texts that INI files treat specially, written by the store and read by
    // QSettings, then written by QSettings and read by the store.
    void qsettingsReadsAlike_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const QString p = list + QLatin1Char('\\');
        QTest::newRow("cyrillic") << p + "Утро"
                                  << "C14"
                                  << "Вечер";
        QTest::newRow("outer blanks") << p + "  Мама  "
                                      << "C14"
                                      << "  Мама  ";
        QTest::newRow("blanks only") << p + "   "
                                     << "C14"
                                     << "   ";
        QTest::newRow("quotes") << p + "\"Папа\" 'Я'"
                                << "C14"
                                << "\"Папа\" 'Я'";
        QTest::newRow("ini syntax") << p + "a=b; c [d] #e, f]"
                                    << "C14"
                                    << "a=b; c [d] #e, f]";
        QTest::newRow("percent") << p + "%41%U0041 100%"
                                 << "C14"
                                 << "%41%U0041 100%";
        QTest::newRow("at sign") << p + "@Variant(x)"
                                 << "C14"
                                 << "@Variant(x)";
        QTest::newRow("two at signs") << p + "@@x"
                                      << "C14"
                                      << "@@x";
        QTest::newRow("section General") << "General"
                                         << "x"
                                         << "y";
        QTest::newRow("section general") << "general"
                                         << "x"
                                         << "y";
        QTest::newRow("section %General") << "%General"
                                          << "x"
                                          << "y";
        QTest::newRow("top level") << ""
                                   << "Installed"
                                   << "2.0.75";
        QTest::newRow("control characters") << p + "a\tb\nc\rd\x01z"
                                            << "C14"
                                            << "a\x01"
                                               "7f\tb\nc\r\x1f"
                                               "0";
        QTest::newRow("nul") << p + "nul"
                             << "C14"
                             << QString::fromUtf8("a\0"
                                                  "1b",
                                                  4);
        QTest::newRow("backslashes") << p + "путь"
                                     << "C14"
                                     << "C:\\Users\\Ирина\\";
        QTest::newRow("beyond 16 bits") << p + "𝄞 ноты"
                                        << "C14"
                                        << "𝄞 ноты";
        QTest::newRow("empty") << p + "пусто"
                               << "C14"
                               << "";
        QTest::newRow("key syntax") << "S"
                                    << "[k]=;\"%"
                                    << "v";
        QTest::newRow("10,000 characters")
            << p + QString(10000, QChar(0x0416)) << "C14" << QString(10000, QChar(0x0416));
    }
    void qsettingsReadsAlike()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QString path = section;
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        // The list's own keys sort after some of the profile sections below it.
        const Sections expected = {{path, {{key, value}}},
                                   {QStringLiteral("Vitalon2/Presets"), {{"_1_", value}}}};
        {
            SettingsStore store(m_dir->path());
            SettingsStore::Batch b;
            b.save(section, key, value);
            b.save(list, QStringLiteral("_1_"), value);
            QVERIFY(store.apply(app, b));
        }
        const QString file = m_dir->file();
        QCOMPARE(readByQSettings(file), expected);
        SettingsStore again(m_dir->path());
        compareSections(again, expected);
        QCOMPARE(storedText(again, section, key, QStringLiteral("absent")), value);

        // QSettings writes the file anew in a layout of its own (every case of "general" as
        // [%General], which then reads back as "General").
        if (path.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0 &&
            path != QLatin1String("General"))
            return;
        {
            QSettings s(file, QSettings::IniFormat);
            s.setValue(path.isEmpty() ? QStringLiteral("Added") : path + QStringLiteral("/Added"),
                       value);
        }
        QVERIFY(!fileBytes(file).contains("[Vitalon2\\Presets]"));
        Sections afterQSettings = expected;
        afterQSettings[path].insert(QStringLiteral("Added"), value);
        QCOMPARE(readByQSettings(file), afterQSettings);
        compareSections(SettingsStore(m_dir->path()), afterQSettings);
    }

    // Another process's writes are seen by the next read, and a write builds on them rather
    // than on what this process read before.
    void writesOfAnotherProcessAreKept()
    {
        SettingsStore mine(m_dir->path());
        QVERIFY(save(mine, list, QStringLiteral("_1_"), QStringLiteral("Утро")));
        QCOMPARE(mine.keys(app, list).size(), 1);
        SettingsStore other(m_dir->path());
        QVERIFY(save(other, list, QStringLiteral("_2_"), QStringLiteral("Вечер")));
        QCOMPARE(storedText(mine, list, QStringLiteral("_2_"), QString()), QStringLiteral("Вечер"));
        QVERIFY(save(other, list, QStringLiteral("_3_"), QStringLiteral("Ночь")));
        QVERIFY(save(mine, list, QStringLiteral("_4_"), QStringLiteral("День")));
        const QHash<QString, QString> expected = {
            {"_1_", "Утро"}, {"_2_", "Вечер"}, {"_3_", "Ночь"}, {"_4_", "День"}};
        QCOMPARE(SettingsStore(m_dir->path()).keys(app, list), expected);
    }

    // What can be read is read, a write keeps it, and nothing crashes.
    void damagedFileGivesUpWhatIsReadable_data()
    {
        QTest::addColumn<int>("damage");
        QTest::addColumn<QStringList>("intact"); // sections read whole

        const QStringList all = {"Vitalon2/Presets", "Vitalon2/Presets/Вечер",
                                 "Vitalon2/Presets/Утро"};
        QTest::newRow("random bytes appended") << int(RandomBytesAppended) << all;
        QTest::newRow("random bytes in the middle")
            << int(RandomBytesInTheMiddle) << QStringList{"Vitalon2/Presets"};
        QTest::newRow("cut in a line")
            << int(CutInALine) << QStringList{"Vitalon2/Presets", "Vitalon2/Presets/Вечер"};
        QTest::newRow("lines of 8 and 16 MB") << int(HugeLines) << all;
        QTest::newRow("carriage returns") << int(CarriageReturns) << all;
        QTest::newRow("nul bytes") << int(NulBytes) << all;
        QTest::newRow("open quote at the end") << int(OpenQuoteAtTheEnd) << all;
        QTest::newRow("emptied") << int(Emptied) << QStringList();
        QTest::newRow("a folder in its place") << int(FolderInItsPlace) << QStringList();
    }
    void damagedFileGivesUpWhatIsReadable()
    {
        QFETCH(int, damage);
        QFETCH(QStringList, intact);
        QString file;
        {
            SettingsStore store(m_dir->path());
            SettingsStore::Batch b;
            for (const auto& [section, keys] : healthy) {
                for (auto it = keys.cbegin(); it != keys.cend(); ++it)
                    b.save(section, it.key(), it.value());
            }
            QVERIFY(store.apply(app, b));
            file = m_dir->file();
        }
        const QByteArray bytes = damaged(fileBytes(file), Damage(damage));
        QVERIFY(QFile::remove(file));
        if (damage == FolderInItsPlace)
            QVERIFY(QDir().mkpath(file));
        else
            QVERIFY(writeFile(file, bytes));

        Sections expected;
        for (const QString& section : intact)
            expected[section] = healthy.at(section);
        if (damage == CutInALine)
            expected["Vitalon2/Presets/Утро"] = {{"C14", "1"}, {"C30", "4"}};
        if (damage == HugeLines)
            expected["Huge"] = {{"k", QString(16 << 20, QLatin1Char('x'))}};
        if (damage == OpenQuoteAtTheEnd)
            expected["Open"] = {{"k", "no end"}};
        // Random bytes read as keys of their own here and there; everything else reads here
        // exactly as QSettings reads it.
        const bool random = damage == RandomBytesAppended || damage == RandomBytesInTheMiddle;
        const auto check = [&](const SettingsStore& s) {
            if (random) {
                containsSections(s, expected);
            } else {
                compareSections(s, expected);
                if (damage != FolderInItsPlace)
                    QCOMPARE(readByQSettings(file), expected);
            }
        };

        SettingsStore store(m_dir->path());
        check(store);
        const bool written = save(store, QStringLiteral("Vitalon2\\Presets\\Новый"),
                                  QStringLiteral("C14"), QStringLiteral("9"));
        if (damage == FolderInItsPlace) {
            // Nothing replaces the folder, and the store says so.
            QVERIFY(!written);
            QVERIFY(QFileInfo(file).isDir());
            QVERIFY(store.keys(app, list).isEmpty());
            return;
        }
        QVERIFY(written);
        expected["Vitalon2/Presets/Новый"] = {{"C14", "9"}};
        check(SettingsStore(m_dir->path()));
    }

    // A settings file written by version 2.0.75: read as it is, every key and text exactly as
    // that version reads it; the first write carries all of it over and leaves the old file as
    // it was; from then on the new file is the one read. One fixture holds the profiles whose
    // every value is known; the other also holds sections of other programs of the company and
    // profiles named like the list's own keys.
    void oldSettingsFileIsReadThenCarriedOver_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<bool>("otherTypes");
        for (const char* fixture : {"legacy-profiles", "legacy-company-settings"}) {
            QTest::addRow("%s, texts", fixture) << QString::fromLatin1(fixture) << false;
            QTest::addRow("%s, values of other types too", fixture)
                << QString::fromLatin1(fixture) << true;
        }
    }
    void oldSettingsFileIsReadThenCarriedOver()
    {
        QFETCH(QString, fixture);
        QFETCH(bool, otherTypes);
        const QString old = m_dir->legacyFile();
        QVERIFY(m_dir->copyLegacyFixture(fixture));
        if (otherTypes) {
            // As another program of the company might have stored them.
            QSettings s(old, QSettings::IniFormat);
            s.setValue(QStringLiteral("Kalder Notes/Window/Geometry"), QRect(1, 2, 300, 400));
            s.setValue(QStringLiteral("Kalder Notes/Window/Corner"), QPoint(-5, 7));
            s.setValue(QStringLiteral("Kalder Notes/Window/When"),
                       QDateTime(QDate(2024, 5, 1), QTime(10, 30), QTimeZone::utc()));
            s.setValue(QStringLiteral("Kalder Notes/Window/Bytes"), QByteArray("\x01\x02z", 3));
        }
        const QByteArray oldBytes = fileBytes(old);
        const Sections asRead = readByQSettings(old);
        QVERIFY(!asRead.empty());

        // Every key of every section, and every profile as version 2.0.75 loads it: through
        // QSettings, as that version read it, and with the values the profiles were made with.
        SettingsStore store(m_dir->path());
        compareSections(store, asRead);
        SettingsStore earlier(m_dir->path(), SettingsStore::Backend::QSettings);
        const QStringList names = ProfileStore(earlier).LoadPresets();
        QVERIFY(!names.isEmpty());
        if (fixture == QLatin1String("legacy-profiles")) {
            QCOMPARE(names.size(), legacyProfiles().size());
            for (qsizetype i = 0; i < names.size(); ++i) {
                QCOMPARE(names.at(i), legacyProfiles().at(i).name);
                QCOMPARE(ProfileStore(earlier).Read(names.at(i)), legacyProfiles().at(i).inputs);
            }
        }
        const auto profilesLoadAsBefore = [&](SettingsStore& s) {
            QCOMPARE(ProfileStore(s).LoadPresets().mid(0, names.size()), names);
            for (const QString& name : names)
                QCOMPARE(ProfileStore(s).Read(name), ProfileStore(earlier).Read(name));
        };
        profilesLoadAsBefore(store);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!QFile::exists(m_dir->file()));

        ProfileInputs added = startInputs();
        added.calendarAge = 33;
        QVERIFY(ProfileStore(store).Save(QStringLiteral("После обновления"), false, added));
        QVERIFY(QFile::exists(m_dir->file()));
        QCOMPARE(fileBytes(old), oldBytes);

        Sections carried = asRead;
        carried.erase(QStringLiteral("Vitalon2/Presets"));
        SettingsStore restarted(m_dir->path());
        compareSections(restarted, carried);
        const QHash<QString, QString> listBefore = asRead.at(QStringLiteral("Vitalon2/Presets"));
        const QHash<QString, QString> listAfter = restarted.keys(app, list);
        for (auto it = listBefore.cbegin(); it != listBefore.cend(); ++it) {
            if (it.key() != QLatin1String("LastIndex"))
                QCOMPARE(listAfter.value(it.key()), it.value());
        }
        profilesLoadAsBefore(restarted);
        QCOMPARE(ProfileStore(restarted).LoadPresets().constLast(),
                 QStringLiteral("После обновления"));
        QCOMPARE(ProfileStore(restarted).Read(QStringLiteral("После обновления")), added);

        // The old file no longer counts.
        {
            QSettings s(old, QSettings::IniFormat);
            s.setValue(QStringLiteral("Vitalon2/Presets/_999_"), QStringLiteral("Призрак"));
        }
        SettingsStore later(m_dir->path());
        QVERIFY(!ProfileStore(later).LoadPresets().contains(QStringLiteral("Призрак")));
    }

private:
    std::unique_ptr<StoreFolder> m_dir;
};

QTEST_MAIN(TestSectionFileBackend)
#include "tst_sectionfilebackend.moc"
