// The profile box and its two buttons in the real main window, against a store in a temporary
// folder: typing, picking, saving and deleting, with the questions and messages.
#include "core/profiles/ProfileStore.h"
#include "core/profiles/SettingsStore.h"
#include "widgets/controls/Slider.h"
#include "widgets/controls/StatementCheckBox.h"
#include "widgets/support/Twips.h"
#include "windows/mainwindow/Form1.h"
#include "windows/mainwindow/ProfileCommands.h"

#include "MainWindowProbe.h"
#include "ProfileInputsText.h"
#include "RefusedWrites.h"
#include "ScriptedMessageBoxes.h"
#include "StoreAccess.h"
#include "StoreFolder.h"
#include "WindowStores.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

#include <optional>

using Kind = ScriptedMessageBoxes::Kind;

namespace {

QString listKey(const QString& key)
{
    return QStringLiteral("Vitalon2/Presets/") + key;
}

} // namespace

class TestProfileCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Two stored profiles, Утро (a man of 30) and Вечер (a woman of 50), and a fresh window.
    void init()
    {
        m_dir = std::make_unique<StoreFolder>();
        QVERIFY(m_dir->isValid());
        m_dir->useForNativeStore();
        m_store = std::make_unique<SettingsStore>(m_dir->path());
        {
            ProfileStore profiles(*m_store);
            m_morning = startInputs();
            m_morning.calendarAge = 30;
            QVERIFY(profiles.Save(QStringLiteral("Утро"), false, m_morning));
            m_evening = m_morning;
            m_evening.calendarAge = 50;
            m_evening.bodyMass = 70;
            m_evening.female = true;
            m_evening.male = false;
            m_evening.statements[3] = 1;
            QVERIFY(profiles.Save(QStringLiteral("Вечер"), false, m_evening));
        }
        m_stores = std::make_unique<WindowStores>();
        m_form = std::make_unique<Form1>(m_stores->settings, m_stores->history);
        m_probe = std::make_unique<MainWindowProbe>(*m_form);
        m_commands = m_form->findChild<ProfileCommands*>();
        QVERIFY(m_commands);
        m_loaded = std::make_unique<QSignalSpy>(m_commands, &ProfileCommands::profileLoaded);
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        m_fresh = m_form->profileInputs();
        // Typing with the focus in the box, where Qt would complete names inline.
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        combo()->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }
    void cleanup()
    {
        m_boxes.reset();
        m_loaded.reset();
        m_probe.reset();
        m_form.reset();
        m_stores.reset();
        m_store.reset();
        m_dir.reset();
    }

    void startsWithTheListAndNothingChosen()
    {
        QCOMPARE(items(), QStringList({"Утро", "Вечер"}));
        QCOMPARE(combo()->currentIndex(), -1);
        QCOMPARE(combo()->currentText(), QString());
        QVERIFY(!save()->isEnabled());
        QVERIFY(!del()->isEnabled());
    }

    void typingANameInAnyCaseLoadsIt_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("lower case") << "вечер"
                                    << "Вечер";
        QTest::newRow("upper case") << "ВЕЧЕР"
                                    << "Вечер";
        QTest::newRow("exact") << "Утро"
                               << "Утро";
    }
    void typingANameInAnyCaseLoadsIt()
    {
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        MainWindowProbe::type(combo()->lineEdit(), typed);
        QCOMPARE(combo()->currentText(), chosen);
        QCOMPARE(combo()->currentIndex(), items().indexOf(chosen));
        const ProfileInputs& profile = chosen == "Вечер" ? m_evening : m_morning;
        QCOMPARE(m_form->profileInputs(), profile);
        // Loaded once, and every label refreshed with the loaded values.
        QCOMPARE(m_loaded->count(), 1);
        QCOMPARE(m_loaded->at(0).at(0).toString(), chosen);
        QCOMPARE(m_probe->valueLabels(), MainWindowProbe::labelsFor(profile));
        QVERIFY(save()->isEnabled());
        QVERIFY(del()->isEnabled());
        QVERIFY(m_boxes->shown().isEmpty());
    }

    void typingAnUnknownNameLoadsNothing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("saveEnabled");
        QTest::newRow("new name") << "Ночь" << true;
        QTest::newRow("prefix of a name") << "Веч" << true;
        QTest::newRow("name after a blank") << " Вечер" << true;
        QTest::newRow("blanks") << "   " << false;
    }
    void typingAnUnknownNameLoadsNothing()
    {
        QFETCH(QString, typed);
        QFETCH(bool, saveEnabled);
        MainWindowProbe::type(combo()->lineEdit(), typed);
        QTest::keyClick(combo()->lineEdit(), Qt::Key_Return);
        QCOMPARE(combo()->currentText(), typed);
        QCOMPARE(combo()->currentIndex(), -1);
        QCOMPARE(items(), QStringList({"Утро", "Вечер"}));
        QCOMPARE(m_form->profileInputs(), m_fresh);
        QCOMPARE(m_loaded->count(), 0);
        QCOMPARE(save()->isEnabled(), saveEnabled);
        QVERIFY(!del()->isEnabled());
    }

    // Names that differ only in letter case (written by another program or by hand): typing
    // picks the first, as for any name; picking one from the list loads that one.
    void namesDifferingInCaseLoadWhatIsPicked()
    {
        ProfileStore profiles(*m_store);
        ProfileInputs anna = m_morning, twin = m_morning;
        anna.calendarAge = 40;
        twin.calendarAge = 60;
        QVERIFY(profiles.Save(QStringLiteral("Анна"), false, anna));
        QVERIFY(profiles.Save(QStringLiteral("анна"), false, twin));
        m_commands->LoadPresets();
        MainWindowProbe::type(combo()->lineEdit(), QStringLiteral("АННА"));
        QCOMPARE(combo()->currentText(), QStringLiteral("Анна"));
        QCOMPARE(m_form->profileInputs(), anna);

        pick(QStringLiteral("анна"));
        QCOMPARE(combo()->currentIndex(), 3);
        QCOMPARE(m_form->profileInputs(), twin);
        QVERIFY(del()->isEnabled());
    }

    void editingAPickedNameLeavesNothingChosen()
    {
        pick(QStringLiteral("Утро"));
        QTest::keyClick(combo()->lineEdit(), Qt::Key_End);
        MainWindowProbe::type(combo()->lineEdit(), QStringLiteral("м"));
        QCOMPARE(combo()->currentText(), QStringLiteral("Утром"));
        QCOMPARE(combo()->currentIndex(), -1);
        QVERIFY(!del()->isEnabled());
        QCOMPARE(m_form->profileInputs(), m_morning);
    }

    // A profile loaded because the typed text named it goes again when the text goes on to name
    // something else and no input changed since; what the user had entered comes back. Stored:
    // Иван (50), Иванов (40); the user's own inputs differ from both in every kind of input.
    void typedLoadIsUndoneWhenTheTextMovesOn_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("text");   // the box's text at the end
        QTest::addColumn<QString>("inputs"); // "own" or a profile's name, then changes
        QTest::addColumn<int>("loads");
        using L = QStringList;
        QTest::newRow("passing through a name") << L{"type Иван 2"} << "Иван 2"
                                                << "own" << 1;
        QTest::newRow("typing a name and stopping") << L{"type Иван"} << "Иван"
                                                    << "Иван" << 1;
        QTest::newRow("in another letter case") << L{"type иван"} << "Иван"
                                                << "Иван" << 1;
        QTest::newRow("passing through in another case") << L{"type иВАН 2"} << "Иван 2"
                                                         << "own" << 1;
        QTest::newRow("the whole text replaced") << L{"type Иван", "all", "type Ночь"} << "Ночь"
                                                 << "own" << 1;
        QTest::newRow("an input changed after the load")
            << L{"type Иван", "age 55", "type 2"} << "Иван2"
            << "Иван age 55" << 1;
        QTest::newRow("the stopwatch handed back after the load")
            << L{"type Иван", "breath 42", "type 2"} << "Иван2"
            << "Иван breath 42" << 1;
        QTest::newRow("backspacing into the name again") << L{"type Иван 2", "back 2"} << "Иван"
                                                         << "Иван" << 2;
        QTest::newRow("and past it once more") << L{"type Иван 2", "back 2", "type а"} << "Ивана"
                                               << "own" << 2;
        QTest::newRow("from one stored name into another") << L{"type Иванов"} << "Иванов"
                                                           << "Иванов" << 2;
        QTest::newRow("and past the second") << L{"type Иванова"} << "Иванова"
                                             << "own" << 2;
        QTest::newRow("picked from the list") << L{"pick Иван", "end", "type  2"} << "Иван 2"
                                              << "Иван" << 1;
        QTest::newRow("saved after the load") << L{"type Иван", "save", "type 2"} << "Иван2"
                                              << "Иван" << 1;
    }
    void typedLoadIsUndoneWhenTheTextMovesOn()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, text);
        QFETCH(QString, inputs);
        QFETCH(int, loads);
        ProfileInputs ivan = startInputs(), ivanov = startInputs();
        ivan.calendarAge = 50;
        ivan.healthRating = 0;
        ivanov.calendarAge = 40;
        ivanov.statements[7] = 1;
        ProfileStore profiles(*m_store);
        QVERIFY(profiles.Save(QStringLiteral("Иван"), false, ivan));
        QVERIFY(profiles.Save(QStringLiteral("Иванов"), false, ivanov));
        m_commands->LoadPresets();

        // The user's own inputs, entered by hand.
        m_probe->option(1)->click();
        MainWindowProbe::stepTo(m_probe->slider(2), 70);
        MainWindowProbe::stepTo(m_probe->slider(3), 80);
        m_probe->check(5)->click();
        m_probe->rating()->setCurrentIndex(3);
        const ProfileInputs own = m_form->profileInputs();
        combo()->setFocus();

        QLineEdit* edit = combo()->lineEdit();
        for (const QString& step : steps) {
            const QString verb = step.section(QLatin1Char(' '), 0, 0);
            const QString rest = step.mid(verb.size() + 1);
            if (verb == "type")
                MainWindowProbe::type(edit, rest);
            else if (verb == "back")
                for (int i = 0; i < rest.toInt(); ++i)
                    QTest::keyClick(edit, Qt::Key_Backspace);
            else if (verb == "all")
                QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            else if (verb == "end")
                QTest::keyClick(edit, Qt::Key_End);
            else if (verb == "pick")
                pick(rest);
            else if (verb == "age")
                MainWindowProbe::stepTo(m_probe->slider(2), rest.toInt());
            else if (verb == "breath")
                m_form->stopwatchHandBack(StopwatchTarget::BreathHold, rest.toInt());
            else if (verb == "save")
                save()->trigger();
            else
                QFAIL(qPrintable("unknown step " + step));
        }

        const QString base = inputs.section(QLatin1Char(' '), 0, 0);
        ProfileInputs expected = base == "own" ? own : base == "Иван" ? ivan : ivanov;
        const QString change = inputs.section(QLatin1Char(' '), 1, 1);
        if (change == "age")
            expected.calendarAge = inputs.section(QLatin1Char(' '), 2).toInt();
        else if (change == "breath")
            expected.breathHold = inputs.section(QLatin1Char(' '), 2).toInt();
        QCOMPARE(combo()->currentText(), text);
        QCOMPARE(m_form->profileInputs(), expected);
        // Every part of the window follows: labels, and the sex switch.
        QCOMPARE(m_probe->valueLabels(), MainWindowProbe::labelsFor(expected));
        QCOMPARE(m_probe->slider(3)->isEnabled(), *expected.female);
        QCOMPARE(m_probe->slider(6)->isEnabled(), *expected.male);
        // Putting the inputs back is no load.
        QCOMPARE(m_loaded->count(), loads);
        QCOMPARE(combo()->currentIndex(), items().indexOf(text));
    }

    void savingANewNameAppendsItUnchosen()
    {
        MainWindowProbe::type(combo()->lineEdit(), QStringLiteral("Ночь"));
        m_probe->slider(2)->setValue(64);
        save()->trigger();

        QCOMPARE(shown(), QStringList({"C Профиль 'Ночь' сохранен."}));
        QCOMPARE(items(), QStringList({"Утро", "Вечер", "Ночь"}));
        QCOMPARE(combo()->currentIndex(), -1);
        QCOMPARE(combo()->currentText(), QStringLiteral("Ночь"));
        QVERIFY(!del()->isEnabled());
        QCOMPARE(stored(listKey("_3_")), QStringLiteral("Ночь"));
        QCOMPARE(stored(listKey("Ночь/C30")), QStringLiteral("64"));

        // Saving again at once asks nothing and takes the next number.
        m_boxes->clear();
        save()->trigger();
        QCOMPARE(shown(), QStringList({"C Профиль 'Ночь' сохранен."}));
        QCOMPARE(items(), QStringList({"Утро", "Вечер", "Ночь"}));
        QVERIFY(!storedKeys().contains(listKey("_3_")));
        QCOMPARE(stored(listKey("_4_")), QStringLiteral("Ночь"));
        QCOMPARE(stored(listKey("LastIndex")), QStringLiteral("4"));
    }

    void savingIntoAnEmptyListLeavesItUnchosen()
    {
        SettingsStore::Batch emptied;
        emptied.deleteSection(ProfileStore::listSection());
        QVERIFY(m_store->apply(ProfileStore::application(), emptied));
        m_commands->LoadPresets();
        MainWindowProbe::type(combo()->lineEdit(), QStringLiteral("Первый"));
        save()->trigger();
        QCOMPARE(items(), QStringList({"Первый"}));
        QCOMPARE(combo()->currentIndex(), -1);
        QCOMPARE(m_loaded->count(), 0);
    }

    void overwritingAsksFirst_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void overwritingAsksFirst()
    {
        QFETCH(bool, yes);
        pick(QStringLiteral("Утро"));
        m_probe->slider(2)->setValue(77);
        const QByteArray before = bytes();
        m_boxes->queueAnswer(yes);
        save()->trigger();

        QStringList expected = {"Q Профиль 'Утро' уже существует. Перезаписать его?"};
        if (yes)
            expected.append("C Профиль 'Утро' сохранен.");
        QCOMPARE(shown(), expected);
        QCOMPARE(items(), QStringList({"Утро", "Вечер"}));
        QCOMPARE(combo()->currentIndex(), 0);
        if (yes) {
            QVERIFY(!storedKeys().contains(listKey("_1_")));
            QCOMPARE(stored(listKey("_3_")), QStringLiteral("Утро"));
            QCOMPARE(stored(listKey("Утро/C30")), QStringLiteral("77"));
        } else {
            QCOMPARE(bytes(), before);
        }
    }

    void deletingAsksFirst_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void deletingAsksFirst()
    {
        QFETCH(bool, yes);
        pick(QStringLiteral("Вечер"));
        const QByteArray before = bytes();
        m_boxes->queueAnswer(yes);
        del()->trigger();

        QCOMPARE(shown(), QStringList({"Q Вы действительно хотите удалить профиль 'Вечер'?"}));
        QCOMPARE(combo()->currentText(), QStringLiteral("Вечер"));
        QCOMPARE(m_form->profileInputs(), m_evening);
        QVERIFY(save()->isEnabled());
        if (yes) {
            QCOMPARE(items(), QStringList({"Утро"}));
            QCOMPARE(combo()->currentIndex(), -1);
            QVERIFY(!del()->isEnabled());
            QCOMPARE(ProfileStore(*m_store).LoadPresets(), QStringList({"Утро"}));
            QVERIFY(m_store
                        ->keys(ProfileStore::application(),
                               ProfileStore::profileSection(QStringLiteral("Вечер")))
                        .isEmpty());
        } else {
            QCOMPARE(items(), QStringList({"Утро", "Вечер"}));
            QCOMPARE(combo()->currentIndex(), 1);
            QVERIFY(del()->isEnabled());
            QCOMPARE(bytes(), before);
        }
    }

    void refusedNamesWriteNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString missing = QStringLiteral("R Не задано имя профиля!");
        const QString separator =
            QStringLiteral("R Имя профиля не может содержать символы / и \\.");
        QTest::newRow("empty") << "" << missing;
        QTest::newRow("blanks") << "   " << missing;
        QTest::newRow("slash") << "Мама/Папа" << separator;
        QTest::newRow("backslash") << "Мама\\Папа" << separator;
    }
    void refusedNamesWriteNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        combo()->setEditText(name);
        const QByteArray before = bytes();
        m_commands->Save1();
        QCOMPARE(shown(), QStringList({message}));
        QCOMPARE(bytes(), before);
        QCOMPARE(items(), QStringList({"Утро", "Вечер"}));
    }

    // A full disk, or another program's write lock that stays (each command then waits about
    // 2 s): the user hears of it, nothing claims success, the list stays, and the old profile
    // still loads.
    void refusedWriteIsReportedAndLosesNothing_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("full disk") << true;
        QTest::newRow("database busy") << false;
    }
    void refusedWriteIsReportedAndLosesNothing()
    {
        QFETCH(bool, fullDisk);
        if (fullDisk && !RefusedWrites::available())
            QSKIP("no way to refuse writes here");
        pick(QStringLiteral("Утро"));
        m_probe->slider(2)->setValue(77);
        {
            std::optional<RefusedWrites> refused;
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
            other.setDatabaseName(file());
            QVERIFY(other.open());
            if (fullDisk)
                refused.emplace();
            else
                QVERIFY(QSqlQuery(other).exec(QStringLiteral("BEGIN IMMEDIATE")));
            save()->trigger();
            combo()->setEditText(QStringLiteral("Ночь"));
            save()->trigger();
            pick(QStringLiteral("Вечер"));
            del()->trigger();
            if (!fullDisk)
                QVERIFY(QSqlQuery(other).exec(QStringLiteral("ROLLBACK")));
            other.close();
            other = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("other"));
        }
        QCOMPARE(
            shown(),
            QStringList({"Q Профиль 'Утро' уже существует. Перезаписать его?",
                         "R Не удалось сохранить профиль 'Утро'. Сохраненные профили не изменены.",
                         "R Не удалось сохранить профиль 'Ночь'. Сохраненные профили не изменены.",
                         "Q Вы действительно хотите удалить профиль 'Вечер'?",
                         "R Не удалось удалить профиль 'Вечер'."}));
        QCOMPARE(items(), QStringList({"Утро", "Вечер"}));
        QCOMPARE(combo()->currentIndex(), 1);
        pick(QStringLiteral("Утро"));
        QCOMPARE(m_form->profileInputs(), m_morning);
        SettingsStore restarted(m_dir->path());
        QCOMPARE(ProfileStore(restarted).LoadPresets(), QStringList({"Утро", "Вечер"}));
    }

    void onlyTheTwoKeysDispatch()
    {
        QAction other(QStringLiteral("Save"));
        other.setObjectName(QStringLiteral("Save"));
        combo()->setEditText(QStringLiteral("Ночь"));
        m_commands->Toolbar1_ButtonClick(&other);
        m_commands->Toolbar1_ButtonClick(nullptr);
        QVERIFY(m_boxes->shown().isEmpty());
        m_commands->Toolbar1_ButtonClick(save());
        QCOMPARE(shown(), QStringList({"C Профиль 'Ночь' сохранен."}));
    }

    void buttonsShowIconsWithSpokenNamesAndTips()
    {
        auto* toolbar = m_form->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
        for (QAction* action : {save(), del()}) {
            QVERIFY(!action->icon().isNull());
            const QSize size = action->icon().actualSize(QSize(16, 16));
            QCOMPARE(size, QSize(16, 16));
            auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action));
            QVERIFY(button);
            QVERIFY(!button->accessibleName().isEmpty());
            QVERIFY(button->text().isEmpty());
            // Only an icon: the tip says what the button does.
            QCOMPARE(button->toolTip(), button->accessibleName());
        }
        QCOMPARE(save()->toolTip(), QStringLiteral("Сохранить профиль"));
        QCOMPARE(del()->toolTip(), QStringLiteral("Удалить профиль"));
        // Shown over a disabled button too, as both are at the start.
        for (QAction* action : {save(), del()}) {
            QVERIFY(!action->isEnabled());
            QTest::mouseMove(toolbar->widgetForAction(action));
            QTRY_VERIFY(QToolTip::isVisible());
            QTRY_COMPARE(QToolTip::text(), action->toolTip());
        }
    }

    // The caption and the box at their design places in the tool bar; the buttons to the right
    // of the box, whole, inside the bar, which needs no overflow arrow.
    void toolbarPlaces()
    {
        auto* toolbar = m_form->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
        const auto inBar = [toolbar](const QWidget* w) {
            return QRect(w->mapTo(toolbar, QPoint(0, 0)), w->size());
        };
        QLabel* caption = m_probe->label("Label11");
        QCOMPARE(caption->text(), QStringLiteral("Профили:"));
        QCOMPARE(caption->geometry(), Twips::rect(60, 60, 1260, 315));
        QCOMPARE(inBar(caption), Twips::rect(60, 60, 1260, 315));
        QCOMPARE(inBar(combo()), Twips::rect(1125, 30, 2715, 315));
        // Wider than designed by the data menu's button.
        QCOMPARE(toolbar->geometry(), Twips::rect(2055, 7965, 5220, 390));
        // The caption's text is not under the box, and a click there reaches the box.
        QVERIFY(caption->x() + caption->fontMetrics().horizontalAdvance(caption->text()) <
                combo()->x());
        QCOMPARE(toolbar->childAt(combo()->geometry().center()), combo()->lineEdit());
        int left = inBar(combo()).right();
        for (QWidget* widget :
             {toolbar->widgetForAction(save()), toolbar->widgetForAction(del()),
              static_cast<QWidget*>(toolbar->findChild<QToolButton*>(QStringLiteral("data")))}) {
            QVERIFY(widget);
            const QRect button = inBar(widget);
            QVERIFY(widget->isVisible());
            QVERIFY(button.left() > left);
            QVERIFY(toolbar->rect().contains(button));
            left = button.right();
        }
        for (const QToolButton* b : toolbar->findChildren<QToolButton*>())
            QVERIFY(b->objectName() != QLatin1String("qt_toolbar_ext_button") || !b->isVisible());
    }

    // The profile list's rows are as tall as the rating list's and hold every glyph whole.
    void listRowsAsTallAsTheRatingList()
    {
        const QStringList names = {"Дуду ругу", "Ёжик Цыпа", "Щука йогурт", "Ёлка"};
        ProfileStore profiles(*m_store);
        for (const QString& name : names)
            QVERIFY(profiles.Save(name, false, m_morning));
        m_commands->LoadPresets();

        QComboBox* rating = m_probe->rating();
        rating->showPopup();
        const int ratingRow = rating->view()->visualRect(rating->model()->index(0, 0)).height();
        rating->hidePopup();
        QVERIFY(ratingRow > 0);

        combo()->showPopup();
        QAbstractItemView* list = combo()->view();
        const QFontMetrics fm(list->font());
        for (int i = 0; i < combo()->count(); ++i) {
            const QString text = combo()->itemText(i);
            const QRect row = list->visualRect(combo()->model()->index(i, 0));
            QCOMPARE(row.height(), ratingRow);
            // Drawn centred in the row, the text's inked height fits with room to spare.
            QVERIFY2(fm.boundingRect(text).height() + 2 <= row.height(),
                     qPrintable(QStringLiteral("%1: %2 in %3")
                                    .arg(text)
                                    .arg(fm.boundingRect(text).height())
                                    .arg(row.height())));
        }
        combo()->hidePopup();
    }

private:
    QComboBox* combo() const { return m_probe->profileBox(); }
    QAction* save() const { return m_probe->profileButton("save"); }
    QAction* del() const { return m_probe->profileButton("del"); }
    QStringList items() const { return m_probe->entries(); }
    // Chooses an entry as the user does from the drop-down list.
    void pick(const QString& name)
    {
        m_probe->pick(name);
        QCOMPARE(combo()->currentText(), name);
    }
    QStringList shown() const
    {
        QStringList result;
        for (const auto& s : m_boxes->shown()) {
            const char* kind = s.kind == Kind::Refusal        ? "R "
                               : s.kind == Kind::Confirmation ? "C "
                                                              : "Q ";
            result.append(QLatin1String(kind) + s.text);
        }
        return result;
    }
    QString file() const { return m_dir->file(); }
    QByteArray bytes() const { return m_dir->bytes(); }
    // The database as another program reads it.
    QStringList storedKeys() const { return databaseKeys(file()).keys(); }
    QString stored(const QString& key) const { return databaseKeys(file()).value(key); }

    std::unique_ptr<StoreFolder> m_dir;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<WindowStores> m_stores;
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<MainWindowProbe> m_probe;
    ProfileCommands* m_commands = nullptr;
    std::unique_ptr<QSignalSpy> m_loaded;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    ProfileInputs m_morning, m_evening, m_fresh;
};

QTEST_MAIN(TestProfileCommands)
#include "tst_profilecommands.moc"
