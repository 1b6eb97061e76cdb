// A settings file written by version 2.0.75 of the program (tests/fixtures/legacy-profiles), and
// the same profiles in the file of sections that later versions wrote in its place
// (legacy-profiles-sections): every profile in them must load into the main window, value for
// value, whether the main window carries the file over or a save did before. Profiles are the
// users' data; no later version may lose one.
#include "core/profiles/ProfileStore.h"
#include "core/profiles/SettingsStore.h"
#include "widgets/controls/Slider.h"
#include "windows/mainwindow/Form1.h"

#include "LegacyProfiles.h"
#include "MainWindowProbe.h"
#include "ProfileInputsText.h"
#include "StoreFolder.h"
#include "WindowStores.h"

#include <QComboBox>
#include <QtTest>

namespace {

// Every input set to something else than the profile holds.
ProfileInputs otherThan(const ProfileInputs& p, const Form1& form)
{
    const MainWindowProbe probe(form);
    ProfileInputs other;
    const auto away = [](const std::optional<int>& v, const Slider* s) {
        return *v == s->min() ? s->max() : s->min();
    };
    other.calendarAge = away(p.calendarAge, probe.slider(2));
    other.bodyMass = away(p.bodyMass, probe.slider(3));
    other.systolic = away(p.systolic, probe.slider(4));
    other.diastolic = away(p.diastolic, probe.slider(5));
    other.breathHold = away(p.breathHold, probe.slider(6));
    other.balance = away(p.balance, probe.slider(7));
    other.female = *p.male;
    other.male = !*p.male;
    for (size_t k = 0; k < p.statements.size(); ++k)
        other.statements[k] = (*p.statements[k] + 1) % 3;
    other.healthRating = (*p.healthRating + 1) % 4;
    return other;
}

} // namespace

class TestLegacyProfiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<bool>("carriedOver");
        for (const char* fixture : {"legacy-profiles", "legacy-profiles-sections"}) {
            QTest::addRow("%s, at the first start", fixture) << QString(fixture) << false;
            QTest::addRow("%s, carried over by a save", fixture) << QString(fixture) << true;
        }
    }
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        QFETCH_GLOBAL(QString, fixture);
        QFETCH_GLOBAL(bool, carriedOver);
        m_dir = std::make_unique<StoreFolder>();
        QVERIFY(m_dir->isValid());
        QVERIFY(m_dir->copyLegacyFixture(fixture));
        m_dir->useForNativeStore();
        if (carriedOver) {
            // The first write of a new version: a profile saved, then deleted again.
            SettingsStore store(m_dir->path());
            ProfileStore profiles(store);
            QVERIFY(profiles.Save(QStringLiteral("Новый"), false, startInputs()));
            QVERIFY(profiles.DelPreset(QStringLiteral("Новый")));
        }
        QCOMPARE(QFile::exists(m_dir->file()), carriedOver);
    }

    void listedInNumberOrder()
    {
        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        QStringList expected;
        for (const LegacyProfile& p : legacyProfiles())
            expected << p.name;
        QCOMPARE(MainWindowProbe(form).entries(), expected);
        QCOMPARE(MainWindowProbe(form).profileBox()->currentIndex(), -1);
    }

    void everyValueLoads_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("picked");
        for (int row = 0; row < legacyProfiles().size(); ++row) {
            const QByteArray name = legacyProfiles().at(row).name.toUtf8();
            QTest::addRow("%s, read", name.constData()) << row << false;
            QTest::addRow("%s, picked from the list", name.constData()) << row << true;
        }
    }
    // Read, or picked from the profile box's list, into a window whose every input holds another
    // value first.
    void everyValueLoads()
    {
        QFETCH(int, row);
        QFETCH(bool, picked);
        const LegacyProfile& p = legacyProfiles().at(row);
        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        MainWindowProbe probe(form);
        form.applyProfile(otherThan(p.inputs, form));
        const QStringList before = describe(form.profileInputs()).split(' ');
        const QStringList wanted = describe(p.inputs).split(' ');
        // Of the two options one at least differs (a profile with neither has no opposite).
        QVERIFY(before.mid(6, 2) != wanted.mid(6, 2));
        for (int i = 0; i < wanted.size(); ++i) {
            if (wanted.at(i).startsWith(QLatin1Char('O')))
                continue;
            QVERIFY2(before.at(i) != wanted.at(i), qPrintable(before.at(i)));
            if (wanted.at(i).startsWith(QLatin1String("K="))) {
                for (int k = 2; k < wanted.at(i).size(); ++k)
                    QVERIFY2(before.at(i).at(k) != wanted.at(i).at(k), qPrintable(before.at(i)));
            }
        }

        if (picked) {
            QComboBox* combo = probe.profileBox();
            const int entry = combo->findText(p.name, Qt::MatchExactly | Qt::MatchCaseSensitive);
            QCOMPARE(entry, row);
            combo->setCurrentIndex(entry);
            QCOMPARE(combo->currentIndex(), entry);
            QCOMPARE(combo->currentText(), p.name);
        } else {
            SettingsStore store(m_dir->path());
            form.applyProfile(ProfileStore(store).Read(p.name));
        }

        QCOMPARE(form.profileInputs(), p.inputs);
        // The value labels follow, and the sex switch ran.
        QCOMPARE(probe.valueLabels(), MainWindowProbe::labelsFor(p.inputs));
        QCOMPARE(probe.slider(6)->isEnabled(), *p.inputs.male);
        QCOMPARE(probe.slider(3)->isEnabled(), !*p.inputs.male);
    }

private:
    std::unique_ptr<StoreFolder> m_dir;
};

QTEST_MAIN(TestLegacyProfiles)
#include "tst_legacyprofiles.moc"
