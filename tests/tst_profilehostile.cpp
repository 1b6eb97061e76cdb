// The profile store fed a settings file of earlier versions that another program, a crash or a
// curious user has filled with rubbish, and that is carried over as it is: loading, picking,
// saving and deleting must neither crash nor lose the profiles that were stored properly.
#include "core/history/UserDatabase.h"
#include "core/profiles/ProfileStore.h"
#include "core/profiles/SettingsStore.h"
#include "widgets/controls/Slider.h"
#include "windows/mainwindow/Form1.h"

#include "MainWindowProbe.h"
#include "ProfileInputsText.h"
#include "ScriptedMessageBoxes.h"
#include "StoreAccess.h"
#include "WindowStores.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

enum Attack
{
    RandomBytes = 0x01,
    HugeNumbers = 0x02,
    EmptyKeys = 0x04,
    ThousandsOfNames = 0x08,
    LongNames = 0x10,
    GarbageValues = 0x20,
    Everything = 0x3f,
};

const QString list = QStringLiteral("Vitalon2/Presets/");
const QString longName = QString(10000, QChar(0x0416)); // "ЖЖЖ…"

// Distinct inputs for the n-th proper profile.
ProfileInputs inputsFor(int n)
{
    ProfileInputs p;
    p.calendarAge = 30 + n;
    p.bodyMass = 70 + 5 * n;
    p.systolic = 12 + n;
    p.diastolic = 7 + n;
    p.breathHold = 40 + 10 * n;
    p.balance = 5 + n;
    p.female = n % 2 == 1;
    p.male = n % 2 == 0;
    for (int k = 0; k < 27; ++k)
        p.statements[size_t(k)] = (k + n) % 3 == 0 ? 1 : 0;
    p.healthRating = n % 4;
    return p;
}

// A main window that has loaded profiles of any kind still holds usable inputs.
void checkUsable(const Form1& form)
{
    const MainWindowProbe probe(form);
    for (int n = 2; n <= 7; ++n) {
        QVERIFY(probe.slider(n)->value() >= probe.slider(n)->min());
        QVERIFY(probe.slider(n)->value() <= probe.slider(n)->max());
    }
    QVERIFY(!(probe.option(0)->isChecked() && probe.option(1)->isChecked()));
    QVERIFY(probe.rating()->currentIndex() >= 0 && probe.rating()->currentIndex() < 4);
}

// Rubbish written through QSettings, so that it lands under the store's own keys.
void writeThroughSettings(const QString& file, int attacks)
{
    QSettings s(file, QSettings::IniFormat);
    if (attacks & HugeNumbers) {
        s.setValue(list + "LastIndex", "99999999999999999999999999999");
        s.setValue(list + "_4294967296_", "Четыре миллиарда");
        s.setValue(list + "_99999999999999999999999_", "Переполнение");
        s.setValue(list + "_-7_", "Минус");
        s.setValue(list + "_0_", "Ноль");
        s.setValue(list + "_0012_", "Нули");
        const QString section = list + "Четыре миллиарда/";
        for (const char* key : {"C14", "C15", "C16", "C17", "C30", "C31", "C39", "C66"})
            s.setValue(section + key, "99999999999999999999");
        s.setValue(section + "C27", "-2147483649");
        s.setValue(section + "C40", "2147483648");
        s.setValue(section + "C99999999999", "1");
    }
    if (attacks & ThousandsOfNames) {
        for (int n = 100; n < 5100; ++n) {
            s.setValue(list + QStringLiteral("_%1_").arg(n), QStringLiteral("Имя %1").arg(n));
            if (n % 50 == 0)
                s.setValue(list + QStringLiteral("Имя %1/C30").arg(n), QString::number(n));
        }
    }
    if (attacks & LongNames) {
        s.setValue(list + "_20_", longName);
        s.setValue(list + longName + "/C30", "40");
        QString mixed;
        for (int k = 0; k < 10000; ++k)
            mixed += QChar(u"аZ=;[]\"#\\ \t\n%"[k % 14]);
        s.setValue(list + "_21_", mixed);
        s.setValue(list + "Длинный/" + QString(10000, QLatin1Char('C')), "1");
        s.setValue(list + "_22_", "Длинный");
        s.setValue(list + "Длинный/C31", QString(10000, QLatin1Char('9')));
    }
    if (attacks & GarbageValues) {
        s.setValue(list + "_23_", "Мусор");
        const QString section = list + "Мусор/";
        const QStringList values = {"abc",  "",    " ",          "1.5", "-1", "3",
                                    "0x10", "1e3", "True False", "NaN", "∞",  "٣"};
        for (int i = 0; i < 70; ++i)
            s.setValue(section + QStringLiteral("C%1").arg(i), values.at(i % values.size()));
        s.setValue(section + "C27", "maybe");
        s.setValue(section + "C28", "TRUE");
        s.setValue(section + "C", "1");
        s.setValue(section + "C-1", "1");
        // A list key that holds a list and one that holds a number, not text.
        s.setValue(list + "_24_", QStringList{"Мусор", "ещё"});
        s.setValue(list + "_25_", 42);
    }
    // Without the unreadable number the list's last number covers all the names above.
    if (!(attacks & HugeNumbers) && (attacks & (ThousandsOfNames | LongNames | GarbageValues)))
        s.setValue(list + "LastIndex", "5099");
    s.sync();
    QCOMPARE(s.status(), QSettings::NoError);
}

// Rubbish only a raw write produces: lines without keys, broken sections, random bytes.
void appendRaw(const QString& file, int attacks)
{
    if (!(attacks & (EmptyKeys | RandomBytes)))
        return;
    const qsizetype keysBefore = QSettings(file, QSettings::IniFormat).allKeys().size();
    QFile f(file);
    QVERIFY(f.open(QIODevice::Append));
    if (attacks & EmptyKeys) {
        f.write("\n[Vitalon2]\n=пусто\nPresets\\=пусто\nPresets\\\\=x\nPresets\\_26_=\n"
                "Presets\\_27_\n = \n\\=\n[]\n=x\n[\n]\n[Vitalon2\n==\n");
    }
    if (attacks & RandomBytes) {
        QRandomGenerator random(20261209);
        QByteArray bytes(64 * 1024, '\0');
        for (char& b : bytes)
            b = static_cast<char>(random.bounded(256));
        f.write("\n");
        f.write(bytes);
    }
    f.close();
    // The rubbish reads as keys of its own: it reaches the store rather than being skipped.
    QVERIFY(QSettings(file, QSettings::IniFormat).allKeys().size() > keysBefore);
}

const QStringList proper = {QStringLiteral("Утро"), QStringLiteral("Вечер  "),
                            QStringLiteral("Мама")};

// Stores the proper profiles in the settings file of earlier versions, then spoils the file
// around them; returns their inputs.
QList<ProfileInputs> storeProperThenSpoil(const QString& folder, int attacks)
{
    QList<ProfileInputs> inputs;
    {
        SettingsStore store(folder, SettingsStore::Backend::QSettings);
        ProfileStore profiles(store);
        for (int n = 0; n < proper.size(); ++n) {
            if (!profiles.Save(proper.at(n), false, inputsFor(n)))
                return {};
            inputs.append(inputsFor(n));
        }
    }
    const QString file = legacyStoreFile(folder);
    writeThroughSettings(file, attacks);
    appendRaw(file, attacks);
    if (QTest::currentTestFailed())
        return {};
    return inputs;
}

} // namespace

class TestProfileHostile : public QObject
{
    Q_OBJECT
private slots:
    void rubbishKeepsTheProperProfiles_data()
    {
        QTest::addColumn<int>("attacks");
        QTest::newRow("random bytes") << int(RandomBytes);
        QTest::newRow("huge numbers") << int(HugeNumbers);
        QTest::newRow("empty keys") << int(EmptyKeys);
        QTest::newRow("thousands of names") << int(ThousandsOfNames);
        QTest::newRow("names of 10,000 characters") << int(LongNames);
        QTest::newRow("values that are no values") << int(GarbageValues);
        QTest::newRow("everything at once") << int(Everything);
    }

    void rubbishKeepsTheProperProfiles()
    {
        QFETCH(int, attacks);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QList<ProfileInputs> properInputs = storeProperThenSpoil(dir.path(), attacks);
        QCOMPARE(properInputs.size(), proper.size());

        // A new start: the list, then every listed profile picked in turn.
        SettingsStore store(dir.path());
        ProfileStore profiles(store);
        const QStringList listed = profiles.LoadPresets();
        for (const QString& name : proper)
            QCOMPARE(listed.count(name), 1);
        QVERIFY(listed.indexOf(proper.at(0)) < listed.indexOf(proper.at(1)));
        QVERIFY(listed.indexOf(proper.at(1)) < listed.indexOf(proper.at(2)));
        // The rubbish is really there to be loaded, not dropped before the store sees it.
        if (!(attacks & HugeNumbers)) {
            if (attacks & ThousandsOfNames)
                QVERIFY(listed.size() >= 5000 + proper.size());
            if (attacks & LongNames)
                QVERIFY(listed.contains(longName));
            if (attacks & GarbageValues)
                QVERIFY(listed.contains(QStringLiteral("Мусор")));
        }
        for (int n = 0; n < proper.size(); ++n)
            QCOMPARE(profiles.Read(proper.at(n)), properInputs.at(n));
        // Every listed profile loaded in turn into the real window leaves usable inputs.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        UserDatabase::setUserFolder(dir.path());
        WindowStores pickerStores;
        Form1 picker(pickerStores.settings, pickerStores.history);
        for (const QString& name : listed)
            picker.applyProfile(profiles.Read(name));
        checkUsable(picker);
        if (attacks & LongNames)
            QCOMPARE(profiles.Read(longName).calendarAge, 40);

        // Saving a new profile and over a listed one, then deleting, still work.
        QVERIFY(profiles.Save(QStringLiteral("Новый"), false, inputsFor(7)));
        const ProfileInputs newInputs = inputsFor(7);
        QVERIFY(profiles.Save(proper.at(2), true, inputsFor(8)));
        properInputs[2] = inputsFor(8);
        QVERIFY(profiles.DelPreset(proper.at(0)));
        if (attacks & LongNames)
            QVERIFY(profiles.DelPreset(longName));
        if (attacks & ThousandsOfNames)
            QVERIFY(profiles.DelPreset(QStringLiteral("Имя 4000")));

        // And all of it is what the next start finds.
        SettingsStore restarted(dir.path());
        ProfileStore again(restarted);
        const QStringList after = again.LoadPresets();
        QVERIFY(!after.contains(proper.at(0)));
        QVERIFY(!after.contains(longName));
        QVERIFY(!after.contains(QStringLiteral("Имя 4000")));
        QCOMPARE(after.count(proper.at(1)), 1);
        QCOMPARE(after.count(proper.at(2)), 1);
        QCOMPARE(after.count(QStringLiteral("Новый")), 1);
        const int deleted = 1 + listed.count(longName) + listed.count(QStringLiteral("Имя 4000"));
        QCOMPARE(after.size(), listed.size() - deleted + 1);
        const QStringList kept = {proper.at(1), proper.at(2), QStringLiteral("Новый")};
        const QList<ProfileInputs> keptInputs = {properInputs.at(1), properInputs.at(2), newInputs};
        for (int n = 0; n < kept.size(); ++n)
            QCOMPARE(again.Read(kept.at(n)), keptInputs.at(n));
    }

    // The same through the profile box and its buttons of the real window, as the user meets it.
    void profileBoxOverRubbish()
    {
        QStandardPaths::setTestModeEnabled(true);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QList<ProfileInputs> properInputs = storeProperThenSpoil(dir.path(), Everything);
        QCOMPARE(properInputs.size(), proper.size());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        UserDatabase::setUserFolder(dir.path());

        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        MainWindowProbe probe(form);
        ScriptedMessageBoxes boxes;
        QComboBox* box = probe.profileBox();

        // Typing a proper name in another letter case picks and loads it.
        box->setEditText(proper.at(2).toUpper());
        QCOMPARE(box->currentText(), proper.at(2));
        QCOMPARE(form.profileInputs(), properInputs.at(2));
        // Picking every other entry loads what fits and leaves the inputs in range.
        for (int i = 0; i < box->count(); i += 97)
            box->setCurrentIndex(i);
        box->setCurrentIndex(box->findText(longName));
        checkUsable(form);

        // Save under a new name, then delete a proper profile (answering Yes).
        box->setEditText(QStringLiteral("Новый"));
        probe.profileButton("save")->trigger();
        const ProfileInputs newInputs = form.profileInputs();
        box->setEditText(proper.at(0));
        QCOMPARE(form.profileInputs(), properInputs.at(0));
        probe.profileButton("del")->trigger();
        QVERIFY(box->findText(proper.at(0), Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0);
        QCOMPARE(boxes.shown().size(), 2);
        QCOMPARE(boxes.shown().at(0).kind, ScriptedMessageBoxes::Kind::Confirmation);
        QCOMPARE(boxes.shown().at(1).kind, ScriptedMessageBoxes::Kind::Question);

        SettingsStore restarted(dir.path());
        ProfileStore again(restarted);
        const QStringList after = again.LoadPresets();
        QVERIFY(!after.contains(proper.at(0)));
        const QStringList kept = {proper.at(1), proper.at(2), QStringLiteral("Новый")};
        const QList<ProfileInputs> keptInputs = {properInputs.at(1), properInputs.at(2), newInputs};
        for (int n = 0; n < kept.size(); ++n) {
            QCOMPARE(after.count(kept.at(n)), 1);
            QCOMPARE(again.Read(kept.at(n)), keptInputs.at(n));
        }
    }
};

QTEST_MAIN(TestProfileHostile)
#include "tst_profilehostile.moc"
