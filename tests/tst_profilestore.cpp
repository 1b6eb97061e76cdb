#include "core/profiles/ProfileKeys.h"
#include "core/profiles/ProfileStore.h"
#include "core/profiles/SettingsStore.h"

#include "LegacyProfiles.h"
#include "ProfileInputsText.h"
#include "RefusedWrites.h"
#include "StoreAccess.h"
#include "StoreFolder.h"
#include "StoredValueCases.h"
#include "TestRecords.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QtTest>

namespace {

const QString list = QStringLiteral("Vitalon2/Presets/");

// Reads the stored file with a QSettings of its own, as another program would. In a file with
// a section per profile QSettings finds a key by its name only after it has read every
// section (otherwise it looks in the nearest section alone), so it reads them all first.
// The database as another program reads and writes it.
class StoredFile
{
public:
    explicit StoredFile(const QString& path) : m_path(path), m_keys(databaseKeys(path)) {}
    QString value(const QString& key) const { return m_keys.value(key); }
    bool contains(const QString& key) const { return m_keys.contains(key); }
    QStringList sectionKeys(const QString& name) const
    {
        const QString prefix = list + name + QLatin1Char('/');
        QStringList keys;
        for (auto it = m_keys.cbegin(); it != m_keys.cend(); ++it) {
            if (it.key().startsWith(prefix) && !it.key().sliced(prefix.size()).contains('/'))
                keys << it.key().sliced(prefix.size());
        }
        return keys;
    }
    void set(const QString& key, const QString& value)
    {
        QVERIFY(setDatabaseKey(m_path, key, value));
        m_keys.insert(key, value);
    }

private:
    QString m_path;
    QMap<QString, QString> m_keys;
};

ProfileInputs aged(int years)
{
    ProfileInputs inputs = startInputs();
    inputs.calendarAge = years;
    return inputs;
}

} // namespace

class TestProfileStore : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<StoreFolder>();
        QVERIFY(m_dir->isValid());
        m_store = std::make_unique<SettingsStore>(m_dir->path());
        m_profiles = std::make_unique<ProfileStore>(*m_store);
    }
    void cleanup()
    {
        m_profiles.reset();
        m_store.reset();
    }

    // One key per input, in the order of their numbers, each with the input it belongs to.
    void keysNameTheirInputs()
    {
        QStringList names;
        for (const ProfileKeys::Key& key : ProfileKeys::all())
            names << key.name();
        QStringList expected = {"C14", "C15", "C16", "C17", "C27", "C28", "C30", "C31"};
        for (int k = 0; k < 27; ++k)
            expected << QStringLiteral("C%1").arg(39 + k);
        expected << "C66";
        QCOMPARE(names, expected);

        // Every input distinct, so that each key shows which one it took.
        const ProfileInputs inputs =
            fullInputs(5, 6, 1, 2, 3, 4, true, false, "012012012012012012012012012", 3);
        QHash<QString, QString> texts = {{"C14", "1"}, {"C15", "2"},    {"C16", "3"},
                                         {"C17", "4"}, {"C27", "True"}, {"C28", "False"},
                                         {"C30", "5"}, {"C31", "6"},    {"C66", "3"}};
        for (int k = 0; k < 27; ++k)
            texts.insert(QStringLiteral("C%1").arg(39 + k), QString::number(k % 3));
        QCOMPARE(ProfileStore::texts(inputs), texts);
        QCOMPARE(ProfileStore::inputs(texts), inputs);

        // Absent inputs write no key and read back absent.
        ProfileInputs some;
        some.female = false;
        some.statements[4] = 2;
        QCOMPARE(ProfileStore::texts(some),
                 (QHash<QString, QString>{{"C27", "False"}, {"C43", "2"}}));
        QCOMPARE(ProfileStore::inputs(ProfileStore::texts(some)), some);
        QCOMPARE(ProfileStore::inputs({}), ProfileInputs());
    }

    // What the calculation takes from the window's snapshot: pressures in mmHg from their
    // tens, the sex female unless the male option is selected, absent inputs at the window's
    // start values.
    void inputsAsAnAssessment_data()
    {
        QTest::addColumn<ProfileInputs>("inputs");
        QTest::addColumn<QString>("record");

        const QString noStatements = QString(27, QLatin1Char('0'));
        QTest::newRow("start") << startInputs() << "male 20 65 110/80 10 3 " + noStatements + " 1";
        QTest::newRow("nothing held")
            << ProfileInputs() << "female 20 65 110/80 10 3 " + noStatements + " 1";
        QTest::newRow("every input")
            << fullInputs(47, 70, 36, 24, 300, 60, true, false, "100000000000000000000000002", 3)
            << "female 47 70 360/240 300 60 100000000000000000000000002 3";
        QTest::newRow("both options, no rating")
            << fullInputs(5, 10, 4, 4, 5, 1, true, true, "012", -1)
            << "male 5 10 40/40 5 1 012" + QString(24, QLatin1Char('0')) + " -1";
    }
    void inputsAsAnAssessment()
    {
        QFETCH(ProfileInputs, inputs);
        QFETCH(QString, record);
        QCOMPARE(describe(inputs.record()), record);
    }

    void emptyStoreListsNothing()
    {
        QVERIFY(m_profiles->LoadPresets().isEmpty());
        QVERIFY(m_profiles->DelPreset(QStringLiteral("Утро")));
        QVERIFY(!QFile::exists(m_dir->file()));
    }

    void numbersAreNeverReused()
    {
        for (const char* name : {"Утро", "День", "Вечер"})
            QVERIFY(m_profiles->Save(QString::fromUtf8(name), false, startInputs()));
        QVERIFY(m_profiles->DelPreset(QStringLiteral("День")));
        QCOMPARE(m_profiles->LoadPresets(), QStringList({"Утро", "Вечер"}));
        QVERIFY(!StoredFile(m_dir->file()).contains(list + QStringLiteral("_2_")));
        QVERIFY(StoredFile(m_dir->file()).sectionKeys(QStringLiteral("День")).isEmpty());

        QVERIFY(m_profiles->Save(QStringLiteral("Ночь"), false, startInputs()));
        StoredFile stored(m_dir->file());
        QCOMPARE(stored.value(list + QStringLiteral("_4_")), QStringLiteral("Ночь"));
        QCOMPARE(stored.value(list + QStringLiteral("LastIndex")), QStringLiteral("4"));
    }

    void overwriteTakesTheNextNumber()
    {
        for (const char* name : {"Утро", "День", "Вечер"})
            QVERIFY(m_profiles->Save(QString::fromUtf8(name), false, startInputs()));
        QVERIFY(m_profiles->Save(QStringLiteral("Утро"), true, aged(44)));

        StoredFile stored(m_dir->file());
        QVERIFY(!stored.contains(list + QStringLiteral("_1_")));
        QCOMPARE(stored.value(list + QStringLiteral("_4_")), QStringLiteral("Утро"));
        QCOMPARE(stored.value(list + QStringLiteral("LastIndex")), QStringLiteral("4"));
        QCOMPARE(stored.value(list + QStringLiteral("Утро/C30")), QStringLiteral("44"));
        QCOMPARE(m_profiles->LoadPresets(), QStringList({"День", "Вечер", "Утро"}));
    }

    // The saved record holds exactly the inputs, under the keys and texts other copies of the
    // program read.
    void storedRecordHasTheInputKeysAndTexts()
    {
        const ProfileInputs inputs =
            fullInputs(47, 88, 14, 9, 95, 21, true, false, "100000000000010000000000002", 3);
        QVERIFY(m_profiles->Save(QStringLiteral("Мама"), false, inputs));

        QMap<QString, QString> expected = {{"C14", "14"}, {"C15", "9"},    {"C16", "95"},
                                           {"C17", "21"}, {"C27", "True"}, {"C28", "False"},
                                           {"C30", "47"}, {"C31", "88"},   {"C66", "3"}};
        for (int k = 0; k < 27; ++k)
            expected.insert(QStringLiteral("C%1").arg(39 + k), k == 0 || k == 13 ? "1"
                                                               : k == 26         ? "2"
                                                                                 : "0");
        StoredFile stored(m_dir->file());
        QMap<QString, QString> actual;
        for (const QString& key : stored.sectionKeys(QStringLiteral("Мама")))
            actual.insert(key, stored.value(list + QStringLiteral("Мама/") + key));
        QCOMPARE(actual, expected);
        QCOMPARE(stored.value(list + QStringLiteral("_1_")), QStringLiteral("Мама"));
        QCOMPARE(stored.value(list + QStringLiteral("LastIndex")), QStringLiteral("1"));

        // And it reads back whole after a restart.
        SettingsStore restarted(m_dir->path());
        QCOMPARE(ProfileStore(restarted).Read(QStringLiteral("Мама")), inputs);
    }

    void namesRoundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("cyrillic") << QStringLiteral("Вечер");
        QTest::newRow("trailing blanks") << QStringLiteral("Вечер  ");
        QTest::newRow("leading blank") << QStringLiteral(" Вечер");
        QTest::newRow("quotes") << QStringLiteral("\"Папа\" и 'мама'");
        QTest::newRow("ini syntax") << QStringLiteral("a=b; [c] #d, e");
        QTest::newRow("list key name") << QStringLiteral("LastIndex");
        QTest::newRow("name key name") << QStringLiteral("_1_");
    }
    void namesRoundTrip()
    {
        QFETCH(QString, name);
        QVERIFY(m_profiles->Save(QStringLiteral("Другой"), false, startInputs()));
        ProfileInputs inputs = withStatements(aged(61), "000001");
        QVERIFY(m_profiles->Save(name, false, inputs));
        QCOMPARE(StoredFile(m_dir->file()).value(list + QStringLiteral("_2_")), name);

        SettingsStore restarted(m_dir->path());
        ProfileStore again(restarted);
        QCOMPARE(again.LoadPresets(), QStringList({QStringLiteral("Другой"), name}));
        QCOMPARE(again.Read(name), inputs);

        // Deleting it leaves the list section and the other profile whole.
        QVERIFY(again.DelPreset(name));
        QCOMPARE(again.LoadPresets(), QStringList({QStringLiteral("Другой")}));
        QVERIFY(again.Save(QStringLiteral("Третий"), false, inputs));
        QCOMPARE(StoredFile(m_dir->file()).value(list + QStringLiteral("_3_")),
                 QStringLiteral("Третий"));
    }

    void namesDifferingInCaseStayApart()
    {
        QVERIFY(m_profiles->Save(QStringLiteral("Анна"), false, aged(30)));
        QVERIFY(m_profiles->Save(QStringLiteral("анна"), false, aged(60)));
        QVERIFY(m_profiles->Save(QStringLiteral("анна"), true, aged(60)));
        QVERIFY(m_profiles->DelPreset(QStringLiteral("анна")));

        QCOMPARE(m_profiles->LoadPresets(), QStringList({QStringLiteral("Анна")}));
        QCOMPARE(m_profiles->Read(QStringLiteral("Анна")).calendarAge, 30);
    }

    void separatorsAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("slash") << QStringLiteral("Мама/Папа") << false;
        QTest::newRow("backslash") << QStringLiteral("Мама\\Папа") << false;
        QTest::newRow("trailing backslash") << QStringLiteral("Мама\\") << false;
        QTest::newRow("plain") << QStringLiteral("Мама, Папа") << true;
    }
    void separatorsAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(bool, allowed);
        QCOMPARE(ProfileStore::nameAllowed(name), allowed);
    }

    // A record written before names were checked may sit below another one; deleting the
    // outer profile keeps the inner one.
    void nestedRecordSurvivesDeletionOfItsParent()
    {
        {
            StoredFile stored(m_dir->file());
            stored.set(list + "_1_", "A");
            stored.set(list + "_2_", "A\\B");
            stored.set(list + "LastIndex", "2");
            stored.set(list + "A/C30", "40");
            stored.set(list + "A/B/C30", "50");
        }
        QVERIFY(m_profiles->DelPreset(QStringLiteral("A")));
        QCOMPARE(m_profiles->LoadPresets(), QStringList({QStringLiteral("A\\B")}));
        QCOMPARE(m_profiles->Read(QStringLiteral("A\\B")).calendarAge, 50);
    }

    // Absent keys and texts that fit no value leave their inputs absent; the store does not
    // bring a slider value into range (the slider does).
    void storedValuesAreChecked_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read");
        for (const StoredValueCase& c : storedValueCases())
            QTest::newRow(c.row) << QString::fromLatin1(c.key) << QString::fromLatin1(c.text)
                                 << QString::fromLatin1(c.read);
    }
    void storedValuesAreChecked()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QString, read);
        SettingsStore::Batch batch;
        batch.save(ProfileStore::profileSection(QStringLiteral("Тест")), key, text);
        QVERIFY(m_store->apply(ProfileStore::application(), batch));
        QCOMPARE(describePresent(m_profiles->Read(QStringLiteral("Тест"))), read);
    }

    // LastIndex is only a hint: whatever it holds, loading lists every stored name in number
    // order, and the next profile never takes an existing number.
    void lastIndexIsHandledSafely_data()
    {
        QTest::addColumn<QString>("lastIndex");
        QTest::addColumn<QString>("nextNumber");
        QTest::newRow("absent") << QString() << "8";
        QTest::newRow("empty") << ""
                               << "8";
        QTest::newRow("negative") << "-5"
                                  << "8";
        QTest::newRow("garbage") << "zwölf"
                                 << "8";
        QTest::newRow("below the names") << "3"
                                         << "8";
        QTest::newRow("past 16 bits") << "40000"
                                      << "40001";
        QTest::newRow("2^62") << "4611686018427387904"
                              << "4611686018427387905";
        QTest::newRow("past 64 bits") << "99999999999999999999"
                                      << "8";
    }
    void lastIndexIsHandledSafely()
    {
        QFETCH(QString, lastIndex);
        QFETCH(QString, nextNumber);
        {
            StoredFile stored(m_dir->file());
            stored.set(list + "_7_", "Семь");
            stored.set(list + "_2_", "Два");
            stored.set(list + "_3_", "");
            stored.set(list + "_04_", "not a name key");
            stored.set(list + "_x_", "not a name key");
            if (!lastIndex.isNull())
                stored.set(list + "LastIndex", lastIndex);
        }
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(m_profiles->LoadPresets(), QStringList({"Два", "Семь"}));
        QVERIFY(m_profiles->Save(QStringLiteral("Новый"), false, startInputs()));
        QVERIFY(m_profiles->DelPreset(QStringLiteral("Семь")));
        QVERIFY2(clock.elapsed() < 5000, "the numbers were counted through one by one");

        StoredFile stored(m_dir->file());
        QCOMPARE(stored.value(list + "_" + nextNumber + "_"), QStringLiteral("Новый"));
        QCOMPARE(stored.value(list + "LastIndex"), nextNumber);
        QCOMPARE(m_profiles->LoadPresets(), QStringList({"Два", "Новый"}));
    }

    // Only the store's own spelling of a number names a profile: anything else is some other
    // key, never a second key for a profile's number.
    void nameKeysAreTheStoresOwnSpelling_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<qint64>("number");
        QTest::newRow("1") << "_1_" << qint64(1);
        QTest::newRow("17") << "_17_" << qint64(17);
        QTest::newRow("largest") << "_9223372036854775807_" << qint64(9223372036854775807);
        QTest::newRow("past 64 bits") << "_9223372036854775808_" << qint64(0);
        QTest::newRow("zero") << "_0_" << qint64(0);
        QTest::newRow("leading zero") << "_017_" << qint64(0);
        QTest::newRow("sign") << "_+17_" << qint64(0);
        QTest::newRow("negative") << "_-17_" << qint64(0);
        QTest::newRow("blank") << "_ 17_" << qint64(0);
        QTest::newRow("other digits") << QStringLiteral("_\u0661\u0667_") << qint64(0);
        QTest::newRow("no digits") << "__" << qint64(0);
        QTest::newRow("one underscore") << "_" << qint64(0);
        QTest::newRow("unclosed") << "_17" << qint64(0);
        QTest::newRow("LastIndex") << "LastIndex" << qint64(0);
    }
    void nameKeysAreTheStoresOwnSpelling()
    {
        QFETCH(QString, key);
        QFETCH(qint64, number);
        QCOMPARE(ProfileStore::numberOfKey(key), number);
        if (number)
            QCOMPARE(ProfileStore::nameKey(number), key);
    }

    void exhaustedNumbersRefuseTheSave()
    {
        StoredFile(m_dir->file()).set(list + "LastIndex", "9223372036854775807");
        QVERIFY(!m_profiles->Save(QStringLiteral("Новый"), false, startInputs()));
        QVERIFY(m_profiles->LoadPresets().isEmpty());
    }

    // A refused write (here: a full disk) keeps the old record, in this run and the next.
    void refusedOverwriteKeepsTheOldRecord()
    {
        if (!RefusedWrites::available())
            QSKIP("no way to refuse writes here");
        QVERIFY(m_profiles->Save(QStringLiteral("Утро"), false, aged(40)));
        {
            RefusedWrites refused;
            QVERIFY(!m_profiles->Save(QStringLiteral("Утро"), true, aged(70)));
            QVERIFY(!m_profiles->Save(QStringLiteral("Вечер"), false, aged(70)));
        }
        const auto oldRecordLoads = [](const ProfileStore& profiles) {
            QCOMPARE(profiles.LoadPresets(), QStringList({QStringLiteral("Утро")}));
            QCOMPARE(profiles.Read(QStringLiteral("Утро")), aged(40));
        };
        oldRecordLoads(*m_profiles);
        SettingsStore restarted(m_dir->path());
        oldRecordLoads(ProfileStore(restarted));
    }

    // The file version 2.0.75 wrote: every profile reads whole, the list keeps its number order
    // and the next profile takes the number after LastIndex.
    void legacyFileReadsWhole()
    {
        QVERIFY(m_dir->copyLegacyProfiles());
        QStringList names;
        for (const LegacyProfile& legacy : legacyProfiles()) {
            names << legacy.name;
            QCOMPARE(m_profiles->Read(legacy.name), legacy.inputs);
        }
        QCOMPARE(m_profiles->LoadPresets(), names);
        QVERIFY(m_profiles->Save(QStringLiteral("Новый"), false, startInputs()));
        QCOMPARE(StoredFile(m_dir->file()).value(list + "_11_"), QStringLiteral("Новый"));
    }

private:
    std::unique_ptr<StoreFolder> m_dir;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<ProfileStore> m_profiles;
};

QTEST_GUILESS_MAIN(TestProfileStore)
#include "tst_profilestore.moc"
