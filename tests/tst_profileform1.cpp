#include "controls/Slider.h"
#include "mainwindow/Form1.h"
#include "profiles/ProfileStore.h"
#include "profiles/SettingsStore.h"

#include "ProfileTestHost.h"
#include "ScriptedMessageBoxes.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

namespace {

QAction* toolbarAction(const Form1& form, const char* key)
{
    const auto* bar = form.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    for (QAction* action : bar->actions()) {
        if (action->objectName() == QLatin1String(key))
            return action;
    }
    return nullptr;
}

Slider* slider(const Form1& form, int n)
{
    return form.findChild<Slider*>(QStringLiteral("Slider%1").arg(n));
}

// A member of a control array: the array's name and its "index" property.
template <typename T> T* member(const Form1& form, const char* array, int index)
{
    const auto members = form.findChildren<T*>(QString::fromLatin1(array));
    for (T* m : members) {
        if (m->property("index").toInt() == index)
            return m;
    }
    return nullptr;
}

QString describe(const AssessmentRecord& r)
{
    QString statements;
    for (int s : r.statements)
        statements += QString::number(s);
    return QStringLiteral("%1 %2 %3 %4/%5 %6 %7 %8 %9")
        .arg(r.sex == Sex::Male ? "male" : "female")
        .arg(r.calendarAge)
        .arg(r.bodyMass)
        .arg(r.systolicPressure)
        .arg(r.diastolicPressure)
        .arg(r.breathHold)
        .arg(r.balance)
        .arg(statements)
        .arg(r.healthRating);
}

} // namespace

// The profile box in the real main window, against a store in a temporary
// folder.
class TestProfileForm1 : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    }

    // Saved in one run, typed in lower case in the next: every input comes back.
    void savedProfileLoadsAfterARestart()
    {
        ScriptedMessageBoxes boxes;
        QString saved;
        {
            Form1 form;
            QVERIFY(toolbarAction(form, "save") && !toolbarAction(form, "save")->isEnabled());
            member<QRadioButton>(form, "Option1", 1)->click();
            const int values[] = {47, 88, 14, 9, 95, 21};
            for (int n = 2; n <= 7; ++n)
                slider(form, n)->setValue(values[n - 2]);
            form.refreshSliders();
            member<QCheckBox>(form, "Check1", 0)->click();
            member<QCheckBox>(form, "Check1", 26)->click();
            form.findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(3);
            auto* combo = form.findChild<QComboBox*>(QStringLiteral("Combo2"));
            ProfileTestHost::type(combo->lineEdit(), QStringLiteral("Вечер"));
            QVERIFY(toolbarAction(form, "save")->isEnabled());
            toolbarAction(form, "save")->trigger();
            QCOMPARE(boxes.shown().size(), 1);
            QCOMPARE(boxes.shown().first().text, QStringLiteral("Профиль 'Вечер' сохранен."));
            saved = describe(form.currentRecord());
        }

        Form1 form;
        auto* combo = form.findChild<QComboBox*>(QStringLiteral("Combo2"));
        QCOMPARE(combo->count(), 1);
        QCOMPARE(combo->currentIndex(), -1);
        QVERIFY(describe(form.currentRecord()) != saved);
        ProfileTestHost::type(combo->lineEdit(), QStringLiteral("вечер"));
        QCOMPARE(combo->currentText(), QStringLiteral("Вечер"));
        QCOMPARE(describe(form.currentRecord()), saved);
        QVERIFY(toolbarAction(form, "save")->isEnabled());
        QVERIFY(toolbarAction(form, "del")->isEnabled());
        // The sex switch ran: the woman's inputs are the editable ones.
        QVERIFY(slider(form, 3)->isEnabled());
        QVERIFY(!slider(form, 6)->isEnabled());
    }

    // Reading the list takes no lock: a lock that cannot be taken holds nothing up at start.
    void startsWithTheListWhileTheLockIsTaken()
    {
        SettingsStore store;
        ProfileTestHost host;
        QVERIFY(ProfileStore(store).Save(QStringLiteral("Утро"), false, host.controlOrder()));
        const QString lock = store.location(ProfileStore::application()) + QStringLiteral(".lock");
        QVERIFY(QDir().mkdir(lock));
        Form1 form;
        QVERIFY(QDir().rmdir(lock));
        auto* combo = form.findChild<QComboBox*>(QStringLiteral("Combo2"));
        QVERIFY(combo->findText(QStringLiteral("Утро")) >= 0);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestProfileForm1)
#include "tst_profileform1.moc"
