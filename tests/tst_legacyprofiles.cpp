// A settings file written by version 2.0.75 of the program (tests/fixtures/legacy-profiles): every
// profile in it must load into the main window, value for value. Profiles are the users' data;
// no later version may lose one.
#include "core/assessment/AgeString.h"
#include "core/profiles/ProfileStore.h"
#include "core/profiles/SettingsStore.h"
#include "widgets/controls/Slider.h"
#include "widgets/controls/StatementCheckBox.h"
#include "windows/mainwindow/Form1.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The inputs each stored profile holds, in the order of the stored numbers.
struct Legacy
{
    const char* name;
    int age, mass, systolic, diastolic, breath, balance; // slider positions
    bool female, male;
    const char* statements; // 0 not marked, 1 marked, 2 greyed
    int rating;
};

const Legacy legacy[] = {
    {"  Мама Оля  ", 47, 88, 14, 9, 95, 21, true, false, "100000000000010000000000002", 3},
    {"Папа \"Большой\" и 'я'", 90, 10, 36, 4, 300, 1, false, true, "111111111111111111111111222",
     0},
    {"a=b; c [d] #e", 5, 200, 4, 24, 5, 60, true, false, "012012012012012012012012012", 2},
    {"Анна", 30, 55, 12, 8, 10, 3, true, false, "000000000000000000000000000", 1},
    {"анна", 60, 70, 15, 10, 10, 7, true, false, "000001000000000000000000010", 2},
    {"Утро", 33, 65, 12, 8, 45, 9, false, true, "000001000000000000000000100", 1},
    {"Без пола", 25, 61, 10, 7, 20, 5, false, false, "000000000000000000000000222", 0},
};

template <typename T> T* member(const Form1& form, const char* array, int index)
{
    const auto members = form.findChildren<T*>(QString::fromLatin1(array));
    for (T* m : members) {
        if (m->property("index").toInt() == index)
            return m;
    }
    return nullptr;
}

Slider* slider(const Form1& form, int n)
{
    return form.findChild<Slider*>(QStringLiteral("Slider%1").arg(n));
}

QString label(const Form1& form, const char* name)
{
    return form.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

} // namespace

class TestLegacyProfiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        // A copy: the fixture itself is never written.
        const QString folder = m_dir.filePath(QStringLiteral("Kalder_Programming"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::copy(QStringLiteral(VITALON_TEST_FIXTURES) +
                                QStringLiteral("/legacy-profiles/Kalder_Programming/"
                                               "Kalder_Programming.conf"),
                            folder + QStringLiteral("/Kalder_Programming.conf")));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    }

    void listedInNumberOrder()
    {
        Form1 form;
        auto* combo = form.findChild<QComboBox*>(QStringLiteral("Combo2"));
        QStringList names;
        for (int i = 0; i < combo->count(); ++i)
            names << combo->itemText(i);
        QStringList expected;
        for (const Legacy& p : legacy)
            expected << QString::fromUtf8(p.name);
        QCOMPARE(names, expected);
        QCOMPARE(combo->currentIndex(), -1);
    }

    void everyValueLoads_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("picked");
        for (int row = 0; row < int(std::size(legacy)); ++row) {
            QTest::addRow("%s, read", legacy[row].name) << row << false;
            QTest::addRow("%s, picked from the list", legacy[row].name) << row << true;
        }
    }
    // Read, or picked from the profile box's list, into a window whose every input holds another
    // value first.
    void everyValueLoads()
    {
        QFETCH(int, row);
        QFETCH(bool, picked);
        const Legacy& p = legacy[row];
        Form1 form;
        const int positions[] = {p.age, p.mass, p.systolic, p.diastolic, p.breath, p.balance};
        for (int n = 2; n <= 7; ++n) {
            Slider* s = slider(form, n);
            s->setValue(positions[n - 2] == s->min() ? s->max() : s->min());
        }
        form.setOptionValue(p.male ? 1 : 0, true);
        for (int k = 0; k < 27; ++k) {
            auto* check = member<StatementCheckBox>(form, "Check1", k);
            check->setValue((p.statements[k] - '0' + 1) % 3);
        }
        auto* rating = form.findChild<QComboBox*>(QStringLiteral("Combo1"));
        rating->setCurrentIndex((p.rating + 1) % 4);

        if (picked) {
            auto* combo = form.findChild<QComboBox*>(QStringLiteral("Combo2"));
            const int entry = combo->findText(QString::fromUtf8(p.name),
                                              Qt::MatchExactly | Qt::MatchCaseSensitive);
            QCOMPARE(entry, row);
            combo->setCurrentIndex(entry);
            QCOMPARE(combo->currentIndex(), entry);
            QCOMPARE(combo->currentText(), QString::fromUtf8(p.name));
        } else {
            SettingsStore store(m_dir.path());
            ProfileStore(store).Read(QString::fromUtf8(p.name), form.controlOrder());
            form.refreshSliders();
        }

        for (int n = 2; n <= 7; ++n)
            QCOMPARE(slider(form, n)->value(), positions[n - 2]);
        QCOMPARE(member<QRadioButton>(form, "Option1", 1)->isChecked(), p.female);
        QCOMPARE(member<QRadioButton>(form, "Option1", 0)->isChecked(), p.male);
        QString statements;
        for (int k = 0; k < 27; ++k)
            statements += QString::number(member<StatementCheckBox>(form, "Check1", k)->value());
        QCOMPARE(statements, QString::fromLatin1(p.statements));
        QCOMPARE(rating->currentIndex(), p.rating);

        // The value labels follow, and the sex switch ran.
        QCOMPARE(label(form, "Label12"), AgeString(p.age));
        QCOMPARE(label(form, "Label13"), QStringLiteral("%1 кг").arg(p.mass));
        QCOMPARE(label(form, "Label15"),
                 QStringLiteral("%1 / %2").arg(p.systolic * 10).arg(p.diastolic * 10));
        QCOMPARE(label(form, "Label7"), QStringLiteral("%1 сек").arg(p.breath));
        QCOMPARE(label(form, "Label5"), QStringLiteral("%1 сек").arg(p.balance));
        QCOMPARE(slider(form, 6)->isEnabled(), p.male);
        QCOMPARE(slider(form, 3)->isEnabled(), !p.male);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestLegacyProfiles)
#include "tst_legacyprofiles.moc"
