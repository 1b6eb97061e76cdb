// Profiles and the real main window: what a stored profile puts into the controls, in which
// order, and what a saved one holds, against a store in a temporary folder.
#include "core/assessment/ComputeAssessment.h"
#include "core/history/HistoryStore.h"
#include "core/profiles/ProfileStore.h"
#include "core/profiles/SettingsStore.h"
#include "widgets/controls/Slider.h"
#include "widgets/controls/StatementCheckBox.h"
#include "windows/mainwindow/Form1.h"

#include "MainWindowProbe.h"
#include "ProfileInputsText.h"
#include "ScriptedMessageBoxes.h"
#include "StoreFolder.h"
#include "StoredValueCases.h"
#include "TestRecords.h"
#include "WindowStores.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpontaneKeyEvent>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

namespace {

// Stores one profile section under a listed name, as another program might have written it.
void storeSection(const StoreFolder& folder, const QString& name,
                  const QHash<QString, QString>& texts)
{
    SettingsStore store(folder.path());
    SettingsStore::Batch batch;
    batch.save(ProfileStore::listSection(), QStringLiteral("_1_"), name);
    batch.save(ProfileStore::listSection(), QStringLiteral("LastIndex"), QStringLiteral("1"));
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        batch.save(ProfileStore::profileSection(name), it.key(), it.value());
    QVERIFY(store.apply(ProfileStore::application(), batch));
}

// One notch of a mouse wheel at the centre of the control, delivered as the platform delivers
// it: to the widget under the pointer, spontaneous, free to pass on to the parents.
void turnWheel(QWidget* control, int angle)
{
    QWidget* window = control->window();
    const QPoint inWindow = control->mapTo(window, control->rect().center());
    QWidget* under = window->childAt(inWindow);
    QVERIFY(under == control || control->isAncestorOf(under));
    const QPointF at = under->mapFrom(window, inWindow);
    QWheelEvent wheel(at, under->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(under, &wheel);
}

// Counts the wheel events a widget receives.
class WheelCounter : public QObject
{
public:
    explicit WheelCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Wheel)
            ++count;
        return false;
    }
};

} // namespace

class TestProfileForm1 : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        m_dir = std::make_unique<StoreFolder>();
        QVERIFY(m_dir->isValid());
        m_dir->useForNativeStore();
    }

    void freshWindowHoldsTheStartInputs()
    {
        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        QCOMPARE(form.profileInputs(), startInputs());
    }

    // Saved in one run, typed in lower case in the next: every input comes back.
    void savedProfileLoadsAfterARestart()
    {
        ScriptedMessageBoxes boxes;
        QString saved;
        ProfileInputs savedInputs;
        {
            WindowStores formStores;
            Form1 form(formStores.settings, formStores.history);
            MainWindowProbe probe(form);
            QVERIFY(!probe.profileButton("save")->isEnabled());
            probe.option(1)->click();
            const int values[] = {47, 88, 14, 9, 95, 21};
            for (int n = 2; n <= 7; ++n)
                probe.slider(n)->setValue(values[n - 2]);
            form.refreshSliders();
            probe.check(0)->click();
            probe.check(26)->click();
            probe.rating()->setCurrentIndex(3);
            MainWindowProbe::type(probe.profileBox()->lineEdit(), QStringLiteral("Вечер"));
            QVERIFY(probe.profileButton("save")->isEnabled());
            probe.profileButton("save")->trigger();
            QCOMPARE(boxes.shown().size(), 1);
            QCOMPARE(boxes.shown().first().text, QStringLiteral("Профиль 'Вечер' сохранен."));
            saved = describe(form.currentRecord());
            savedInputs = form.profileInputs();
        }

        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        MainWindowProbe probe(form);
        QCOMPARE(probe.entries(), QStringList({"Вечер"}));
        QCOMPARE(probe.profileBox()->currentIndex(), -1);
        QVERIFY(describe(form.currentRecord()) != saved);
        MainWindowProbe::type(probe.profileBox()->lineEdit(), QStringLiteral("вечер"));
        QCOMPARE(probe.profileBox()->currentText(), QStringLiteral("Вечер"));
        QCOMPARE(describe(form.currentRecord()), saved);
        QCOMPARE(form.profileInputs(), savedInputs);
        QVERIFY(probe.profileButton("save")->isEnabled());
        QVERIFY(probe.profileButton("del")->isEnabled());
        // The sex switch ran: the woman's inputs are the editable ones.
        QVERIFY(probe.slider(3)->isEnabled());
        QVERIFY(!probe.slider(6)->isEnabled());
    }

    // The window keeps profiles in the store it is handed: a store in a folder of its own, not
    // the per-user settings.
    void savesIntoTheHandedStore()
    {
        StoreFolder own;
        QVERIFY(own.isValid());
        SettingsStore settings(own.path());
        QTemporaryDir historyFolder;
        HistoryStore history(historyFolder.path());
        ScriptedMessageBoxes boxes;
        {
            Form1 form(settings, history);
            MainWindowProbe probe(form);
            probe.profileBox()->setEditText(QStringLiteral("Иван"));
            probe.profileButton("save")->trigger();
        }
        SettingsStore reread(own.path());
        QCOMPARE(ProfileStore(reread).LoadPresets(), QStringList{QStringLiteral("Иван")});
        SettingsStore userSettings;
        QCOMPARE(ProfileStore(userSettings).LoadPresets(), QStringList());
    }

    // Each key lands in its own control; a text no control takes changes nothing, and a slider
    // keeps a value within its range.
    void storedValuesAreShown_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        for (const StoredValueCase& c : storedValueCases())
            QTest::newRow(c.row) << QString::fromLatin1(c.key) << QString::fromLatin1(c.text)
                                 << QString::fromLatin1(c.shown);
    }
    void storedValuesAreShown()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        storeSection(*m_dir, QStringLiteral("Тест"), {{key, text}});
        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        MainWindowProbe probe(form);
        const QStringList before = ::describe(form.profileInputs()).split(' ');
        probe.pick(QStringLiteral("Тест"));
        QCOMPARE(probe.profileBox()->currentText(), QStringLiteral("Тест"));

        QStringList differences;
        const QStringList after = ::describe(form.profileInputs()).split(' ');
        for (int i = 0; i < after.size(); ++i) {
            if (after.at(i) != before.at(i))
                differences.append(after.at(i));
        }
        QCOMPARE(differences.join(' '), shown);
        QCOMPARE(probe.valueLabels(), MainWindowProbe::labelsFor(form.profileInputs()));
    }

    // A profile saved with no rating chosen holds -1: it loads as no selection, counts for
    // nothing in the calculation, and is saved as -1 again.
    void noRatingLoadsAndSavesAsItself()
    {
        ScriptedMessageBoxes boxes;
        storeSection(*m_dir, QStringLiteral("Без оценки"), {{"C66", "-1"}});
        {
            WindowStores formStores;
            Form1 form(formStores.settings, formStores.history);
            MainWindowProbe probe(form);
            probe.pick(QStringLiteral("Без оценки"));
            QCOMPARE(probe.rating()->currentIndex(), -1);
            AssessmentRecord record = form.currentRecord();
            QCOMPARE(record.healthRating, -1);
            const int health = ComputeAssessment(record).healthIndex;
            record.healthRating = 0;
            QCOMPARE(ComputeAssessment(record).healthIndex, health);
            record.healthRating = 2;
            QCOMPARE(ComputeAssessment(record).healthIndex, health + 1);

            probe.profileBox()->setEditText(QStringLiteral("Снова"));
            probe.profileButton("save")->trigger();
            QCOMPARE(boxes.shown().size(), 1);
        }
        SettingsStore store(m_dir->path());
        QCOMPARE(store
                     .keys(ProfileStore::application(),
                           ProfileStore::profileSection(QStringLiteral("Снова")))
                     .value(QStringLiteral("C66")),
                 QStringLiteral("-1"));
        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        MainWindowProbe probe(form);
        probe.rating()->setCurrentIndex(2);
        probe.pick(QStringLiteral("Снова"));
        QCOMPARE(probe.rating()->currentIndex(), -1);
    }

    // A wheel turned while the pointer passes over a box loads no profile and changes no
    // rating: without the focus the box leaves the wheel to its surroundings, and the wheel
    // does not give it the focus. Once Tab or a click has given it the focus, it turns.
    void strayWheelChangesNothing_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("focusedIndex"); // where the turn takes the focused box
        QTest::newRow("profile box, down") << "Combo2" << -120 << 0;
        QTest::newRow("profile box, up") << "Combo2" << 120 << -1;
        QTest::newRow("rating box, down") << "Combo1" << -120 << 2;
        QTest::newRow("rating box, up") << "Combo1" << 120 << 0;
    }
    void strayWheelChangesNothing()
    {
        QFETCH(QString, box);
        QFETCH(int, angle);
        QFETCH(int, focusedIndex);
        storeSection(*m_dir, QStringLiteral("Иван"), {{"C66", "0"}, {"C64", "True"}});
        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        MainWindowProbe probe(form);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto* combo = form.findChild<QComboBox*>(box);
        const int index = combo->currentIndex();
        const ProfileInputs inputs = form.profileInputs();
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused && focused != combo);
        WheelCounter passedOn(combo->parentWidget());

        for (int notch = 0; notch < 3; ++notch)
            turnWheel(combo, angle);
        QCOMPARE(combo->currentIndex(), index);
        QCOMPARE(form.profileInputs(), inputs);
        QCOMPARE(QApplication::focusWidget(), focused);
        QCOMPARE(passedOn.count, 3);

        // With the focus the box takes the wheel as Qt's does.
        combo->setFocus(Qt::TabFocusReason);
        QVERIFY(combo->hasFocus());
        turnWheel(combo, angle);
        QCOMPARE(combo->currentIndex(), focusedIndex);
        QCOMPARE(passedOn.count, 3);
    }

    void neitherOptionIsAStateOfItsOwn()
    {
        storeSection(*m_dir, QStringLiteral("X"), {{"C27", "False"}, {"C28", "False"}});
        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        MainWindowProbe probe(form);
        QVERIFY(probe.slider(6)->isEnabled());
        probe.pick(QStringLiteral("X"));
        QVERIFY(!probe.option(0)->isChecked());
        QVERIFY(!probe.option(1)->isChecked());
        // The sex switch ran.
        QVERIFY(!probe.slider(6)->isEnabled());
        QVERIFY(probe.slider(3)->isEnabled());
        // The pair stays a pair: picking one by hand still clears the other.
        probe.option(1)->click();
        probe.option(0)->click();
        QVERIFY(probe.option(0)->isChecked() && !probe.option(1)->isChecked());
    }

    // The female option is set before the male one: of two stored "True" the male one stands.
    void femaleOptionComesFirst_data()
    {
        QTest::addColumn<bool>("female");
        QTest::addColumn<bool>("male");
        QTest::addColumn<bool>("femaleShown");
        QTest::addColumn<bool>("maleShown");
        QTest::newRow("female") << true << false << true << false;
        QTest::newRow("male") << false << true << false << true;
        QTest::newRow("both, male last") << true << true << false << true;
    }
    void femaleOptionComesFirst()
    {
        QFETCH(bool, female);
        QFETCH(bool, male);
        QFETCH(bool, femaleShown);
        QFETCH(bool, maleShown);
        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        MainWindowProbe probe(form);
        probe.option(female && !male ? 0 : 1)->click();
        ProfileInputs inputs;
        inputs.female = female;
        inputs.male = male;
        form.applyProfile(inputs);
        QCOMPARE(probe.option(1)->isChecked(), femaleShown);
        QCOMPARE(probe.option(0)->isChecked(), maleShown);
        QCOMPARE(probe.slider(6)->isEnabled(), maleShown);
        QCOMPARE(probe.slider(3)->isEnabled(), !maleShown);
    }

    // Only what the profile holds changes; the labels follow the sliders afterwards; the
    // profile box is not an input.
    void partialProfileLeavesTheRestAlone()
    {
        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        MainWindowProbe probe(form);
        probe.slider(7)->setValue(42);
        probe.check(3)->setValue(1);
        probe.profileBox()->setEditText(QStringLiteral("unchanged"));
        ProfileInputs expected = form.profileInputs();
        ProfileInputs some;
        some.calendarAge = 33;
        some.statements[5] = 2;
        form.applyProfile(some);
        expected.calendarAge = 33;
        expected.statements[5] = 2;
        QCOMPARE(form.profileInputs(), expected);
        QCOMPARE(probe.text("Label12"), QStringLiteral("33 года"));
        QCOMPARE(probe.text("Label5"), QStringLiteral("42 сек"));
        QCOMPARE(probe.profileBox()->currentText(), QStringLiteral("unchanged"));
    }

    // Reading the list takes no lock: a lock that cannot be taken holds nothing up at start.
    void startsWithTheListWhileTheLockIsTaken()
    {
        SettingsStore store;
        QVERIFY(ProfileStore(store).Save(QStringLiteral("Утро"), false, startInputs()));
        const QString lock = m_dir->file() + QStringLiteral(".lock");
        QVERIFY(QDir().mkdir(lock));
        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        QVERIFY(QDir().rmdir(lock));
        QCOMPARE(MainWindowProbe(form).entries(), QStringList({"Утро"}));
    }

private:
    std::unique_ptr<StoreFolder> m_dir;
};

QTEST_MAIN(TestProfileForm1)
#include "tst_profileform1.moc"
