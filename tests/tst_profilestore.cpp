#include "profiles/ProfileStore.h"
#include "profiles/SettingsStore.h"

#include "ProfileTestHost.h"
#include "RefusedWrites.h"
#include "controls/Slider.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString list = QStringLiteral("Vitalon2/Presets/");

// Reads the stored file with a QSettings of its own, as another program would. In a file with
// a section per profile QSettings finds a key by its name only after it has read every
// section (otherwise it looks in the nearest section alone), so it reads them all first.
class StoredFile
{
public:
    explicit StoredFile(const QString& path) : m_settings(path, QSettings::IniFormat)
    {
        m_settings.allKeys();
    }
    QString value(const QString& key) const { return m_settings.value(key).toString(); }
    bool contains(const QString& key) const { return m_settings.contains(key); }
    QStringList sectionKeys(const QString& name)
    {
        m_settings.beginGroup(list + name);
        QStringList keys = m_settings.childKeys();
        m_settings.endGroup();
        return keys;
    }
    void set(const QString& key, const QString& value)
    {
        m_settings.setValue(key, value);
        m_settings.sync();
    }

private:
    QSettings m_settings;
};

} // namespace

class TestProfileStore : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_store = std::make_unique<SettingsStore>(m_dir->path());
        m_profiles = std::make_unique<ProfileStore>(*m_store);
    }
    void cleanup()
    {
        m_profiles.reset();
        m_store.reset();
    }

    void emptyStoreListsNothing()
    {
        QVERIFY(m_profiles->LoadPresets().isEmpty());
        QVERIFY(m_profiles->DelPreset(QStringLiteral("Утро")));
        QVERIFY(!QFile::exists(file()));
    }

    void numbersAreNeverReused()
    {
        ProfileTestHost host;
        for (const char* name : {"Утро", "День", "Вечер"})
            QVERIFY(m_profiles->Save(QString::fromUtf8(name), false, host.controlOrder()));
        QVERIFY(m_profiles->DelPreset(QStringLiteral("День")));
        QCOMPARE(m_profiles->LoadPresets(), QStringList({"Утро", "Вечер"}));
        QVERIFY(!StoredFile(file()).contains(list + QStringLiteral("_2_")));
        QVERIFY(StoredFile(file()).sectionKeys(QStringLiteral("День")).isEmpty());

        QVERIFY(m_profiles->Save(QStringLiteral("Ночь"), false, host.controlOrder()));
        StoredFile stored(file());
        QCOMPARE(stored.value(list + QStringLiteral("_4_")), QStringLiteral("Ночь"));
        QCOMPARE(stored.value(list + QStringLiteral("LastIndex")), QStringLiteral("4"));
    }

    void overwriteTakesTheNextNumber()
    {
        ProfileTestHost host;
        for (const char* name : {"Утро", "День", "Вечер"})
            QVERIFY(m_profiles->Save(QString::fromUtf8(name), false, host.controlOrder()));
        host.slider(2)->setValue(44);
        QVERIFY(m_profiles->Save(QStringLiteral("Утро"), true, host.controlOrder()));

        StoredFile stored(file());
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
        ProfileTestHost host;
        const int sliderValues[] = {47, 88, 14, 9, 95, 21}; // Slider2 … Slider7
        for (int n = 2; n <= 7; ++n)
            host.slider(n)->setValue(sliderValues[n - 2]);
        host.option(1)->setChecked(true);
        host.check(0)->setChecked(true);
        host.check(13)->setChecked(true);
        host.check(26)->setTristate(true);
        host.check(26)->setCheckState(Qt::PartiallyChecked);
        host.rating()->setCurrentIndex(3);
        QVERIFY(m_profiles->Save(QStringLiteral("Мама"), false, host.controlOrder()));

        QMap<QString, QString> expected = {{"C14", "14"}, {"C15", "9"},    {"C16", "95"},
                                           {"C17", "21"}, {"C27", "True"}, {"C28", "False"},
                                           {"C30", "47"}, {"C31", "88"},   {"C66", "3"}};
        for (int k = 0; k < 27; ++k)
            expected.insert(QStringLiteral("C%1").arg(39 + k), k == 0 || k == 13 ? "1"
                                                               : k == 26         ? "2"
                                                                                 : "0");
        StoredFile stored(file());
        QMap<QString, QString> actual;
        for (const QString& key : stored.sectionKeys(QStringLiteral("Мама")))
            actual.insert(key, stored.value(list + QStringLiteral("Мама/") + key));
        QCOMPARE(actual, expected);
        QCOMPARE(stored.value(list + QStringLiteral("_1_")), QStringLiteral("Мама"));
        QCOMPARE(stored.value(list + QStringLiteral("LastIndex")), QStringLiteral("1"));

        // And it reads back into fresh inputs, after a restart, female first.
        ProfileTestHost fresh;
        SettingsStore restarted(m_dir->path());
        ProfileStore(restarted).Read(QStringLiteral("Мама"), fresh.controlOrder());
        QCOMPARE(fresh.inputs(), host.inputs());
        QVERIFY(fresh.sexSwitches > 0);
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
        ProfileTestHost host;
        QVERIFY(m_profiles->Save(QStringLiteral("Другой"), false, host.controlOrder()));
        host.slider(2)->setValue(61);
        host.check(5)->setChecked(true);
        QVERIFY(m_profiles->Save(name, false, host.controlOrder()));
        QCOMPARE(StoredFile(file()).value(list + QStringLiteral("_2_")), name);

        SettingsStore restarted(m_dir->path());
        ProfileStore again(restarted);
        QCOMPARE(again.LoadPresets(), QStringList({QStringLiteral("Другой"), name}));
        ProfileTestHost fresh;
        again.Read(name, fresh.controlOrder());
        QCOMPARE(fresh.inputs(), host.inputs());

        // Deleting it leaves the list section and the other profile whole.
        QVERIFY(again.DelPreset(name));
        QCOMPARE(again.LoadPresets(), QStringList({QStringLiteral("Другой")}));
        QVERIFY(again.Save(QStringLiteral("Третий"), false, host.controlOrder()));
        QCOMPARE(StoredFile(file()).value(list + QStringLiteral("_3_")), QStringLiteral("Третий"));
    }

    void namesDifferingInCaseStayApart()
    {
        ProfileTestHost host;
        host.slider(2)->setValue(30);
        QVERIFY(m_profiles->Save(QStringLiteral("Анна"), false, host.controlOrder()));
        host.slider(2)->setValue(60);
        QVERIFY(m_profiles->Save(QStringLiteral("анна"), false, host.controlOrder()));
        QVERIFY(m_profiles->Save(QStringLiteral("анна"), true, host.controlOrder()));
        QVERIFY(m_profiles->DelPreset(QStringLiteral("анна")));

        QCOMPARE(m_profiles->LoadPresets(), QStringList({QStringLiteral("Анна")}));
        ProfileTestHost fresh;
        m_profiles->Read(QStringLiteral("Анна"), fresh.controlOrder());
        QCOMPARE(fresh.slider(2)->value(), 30);
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
            StoredFile stored(m_dir->path() + "/Kalder_Programming/Kalder_Programming.conf");
            stored.set(list + "_1_", "A");
            stored.set(list + "_2_", "A\\B");
            stored.set(list + "LastIndex", "2");
            stored.set(list + "A/C30", "40");
            stored.set(list + "A/B/C30", "50");
        }
        QVERIFY(m_profiles->DelPreset(QStringLiteral("A")));
        QCOMPARE(m_profiles->LoadPresets(), QStringList({QStringLiteral("A\\B")}));
        ProfileTestHost host;
        m_profiles->Read(QStringLiteral("A\\B"), host.controlOrder());
        QCOMPARE(host.slider(2)->value(), 50);
    }

    // Absent keys and texts a control cannot take leave that control as it was; slider values
    // are brought into range by the slider.
    void storedValuesAreChecked_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("changed"); // what inputs() shows differently, or empty

        QTest::newRow("age") << "C30"
                             << "33"
                             << "S2=33";
        QTest::newRow("age above range") << "C30"
                                         << "500"
                                         << "S2=90";
        QTest::newRow("age below range") << "C30"
                                         << "-7"
                                         << "S2=5";
        QTest::newRow("age not a number") << "C30"
                                          << "abc"
                                          << "";
        QTest::newRow("age empty") << "C30"
                                   << ""
                                   << "";
        QTest::newRow("age decimal") << "C30"
                                     << "33.5"
                                     << "";
        QTest::newRow("age past int") << "C30"
                                      << "99999999999"
                                      << "";
        QTest::newRow("female") << "C27"
                                << "True"
                                << "O1=True O0=False";
        QTest::newRow("male cleared") << "C28"
                                      << "False"
                                      << "O0=False";
        QTest::newRow("option garbage") << "C28"
                                        << "Maybe"
                                        << "";
        QTest::newRow("option number") << "C27"
                                       << "1"
                                       << "";
        QTest::newRow("statement checked") << "C39"
                                           << "1"
                                           << "K=100000000000000000000000000";
        QTest::newRow("statement greyed") << "C65"
                                          << "2"
                                          << "K=000000000000000000000000002";
        QTest::newRow("statement out of range") << "C39"
                                                << "3"
                                                << "";
        QTest::newRow("statement negative") << "C39"
                                            << "-1"
                                            << "";
        QTest::newRow("rating") << "C66"
                                << "0"
                                << "R=0";
        QTest::newRow("rating past list") << "C66"
                                          << "4"
                                          << "";
        QTest::newRow("rating garbage") << "C66"
                                        << "x"
                                        << "";
        QTest::newRow("not a saved control") << "C1"
                                             << "5"
                                             << "";
    }
    void storedValuesAreChecked()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QString, changed);
        QVERIFY(m_store->save(ProfileStore::application(),
                              ProfileStore::profileSection(QStringLiteral("Тест")), key, text));
        ProfileTestHost host;
        const QStringList before = host.inputs().split(' ');
        host.combo2()->addItem(QStringLiteral("unchanged"));
        host.combo2()->setCurrentIndex(0);
        m_profiles->Read(QStringLiteral("Тест"), host.controlOrder());

        QStringList differences;
        const QStringList after = host.inputs().split(' ');
        for (int i = 0; i < after.size(); ++i) {
            if (after.at(i) != before.at(i))
                differences.append(after.at(i));
        }
        QCOMPARE(differences.join(' '), changed);
        QCOMPARE(host.combo2()->currentText(), QStringLiteral("unchanged"));
    }

    void neitherOptionIsAStateOfItsOwn()
    {
        QVERIFY(m_store->save(ProfileStore::application(),
                              ProfileStore::profileSection(QStringLiteral("X")), "C27", "False"));
        QVERIFY(m_store->save(ProfileStore::application(),
                              ProfileStore::profileSection(QStringLiteral("X")), "C28", "False"));
        ProfileTestHost host;
        m_profiles->Read(QStringLiteral("X"), host.controlOrder());
        QVERIFY(!host.option(0)->isChecked());
        QVERIFY(!host.option(1)->isChecked());
        QVERIFY(host.sexSwitches > 0);
        // The pair stays a pair: picking one by hand still clears the other.
        host.option(1)->click();
        host.option(0)->click();
        QVERIFY(host.option(0)->isChecked() && !host.option(1)->isChecked());
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
            StoredFile stored(file());
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
        ProfileTestHost host;
        QVERIFY(m_profiles->Save(QStringLiteral("Новый"), false, host.controlOrder()));
        QVERIFY(m_profiles->DelPreset(QStringLiteral("Семь")));
        QVERIFY2(clock.elapsed() < 5000, "the numbers were counted through one by one");

        StoredFile stored(file());
        QCOMPARE(stored.value(list + "_" + nextNumber + "_"), QStringLiteral("Новый"));
        QCOMPARE(stored.value(list + "LastIndex"), nextNumber);
        QCOMPARE(m_profiles->LoadPresets(), QStringList({"Два", "Новый"}));
    }

    void exhaustedNumbersRefuseTheSave()
    {
        StoredFile(file()).set(list + "LastIndex", "9223372036854775807");
        ProfileTestHost host;
        QVERIFY(!m_profiles->Save(QStringLiteral("Новый"), false, host.controlOrder()));
        QVERIFY(m_profiles->LoadPresets().isEmpty());
    }

    // A refused write (here: a full disk) keeps the old record, in this run and the next.
    void refusedOverwriteKeepsTheOldRecord()
    {
        if (!RefusedWrites::available())
            QSKIP("no way to refuse writes here");
        ProfileTestHost host;
        host.slider(2)->setValue(40);
        QVERIFY(m_profiles->Save(QStringLiteral("Утро"), false, host.controlOrder()));
        host.slider(2)->setValue(70);
        {
            RefusedWrites refused;
            QVERIFY(!m_profiles->Save(QStringLiteral("Утро"), true, host.controlOrder()));
            QVERIFY(!m_profiles->Save(QStringLiteral("Вечер"), false, host.controlOrder()));
        }
        const auto oldRecordLoads = [](const ProfileStore& profiles) {
            QCOMPARE(profiles.LoadPresets(), QStringList({QStringLiteral("Утро")}));
            ProfileTestHost fresh;
            profiles.Read(QStringLiteral("Утро"), fresh.controlOrder());
            QCOMPARE(fresh.slider(2)->value(), 40);
        };
        oldRecordLoads(*m_profiles);
        SettingsStore restarted(m_dir->path());
        oldRecordLoads(ProfileStore(restarted));
    }

private:
    QString file() const { return m_store->location(ProfileStore::application()); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<ProfileStore> m_profiles;
};

QTEST_MAIN(TestProfileStore)
#include "tst_profilestore.moc"
