#include "profiles/ProfileCommands.h"
#include "profiles/ProfileStore.h"
#include "profiles/SettingsStore.h"

#include "ProfileTestHost.h"
#include "RefusedWrites.h"
#include "ScriptedMessageBoxes.h"
#include "controls/Slider.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
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
    // Two stored profiles, Утро (a man of 30) and Вечер (a woman of 50), and a fresh window.
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_store = std::make_unique<SettingsStore>(m_dir->path());
        {
            ProfileTestHost seed;
            ProfileStore profiles(*m_store);
            seed.slider(2)->setValue(30);
            QVERIFY(profiles.Save(QStringLiteral("Утро"), false, seed.controlOrder()));
            m_morning = seed.inputs();
            seed.slider(2)->setValue(50);
            seed.slider(3)->setValue(70);
            seed.option(1)->setChecked(true);
            seed.check(3)->setChecked(true);
            QVERIFY(profiles.Save(QStringLiteral("Вечер"), false, seed.controlOrder()));
            m_evening = seed.inputs();
        }
        m_host = std::make_unique<ProfileTestHost>();
        m_commands = std::make_unique<ProfileCommands>(
            m_host.get(), m_host->combo2(), m_host->saveAction(), m_host->delAction(),
            [this] { return m_host->controlOrder(); }, [this] { m_host->refreshSliders(); },
            *m_store);
        m_commands->LoadPresets();
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
        m_fresh = m_host->inputs();
        // Typing with the focus in the box, where Qt would complete names inline.
        m_host->show();
        QApplication::setActiveWindow(m_host.get());
        combo()->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(m_host.get()));
    }
    void cleanup()
    {
        m_boxes.reset();
        m_commands.reset();
        m_host.reset();
        m_store.reset();
    }

    void startsWithTheListAndNothingChosen()
    {
        QCOMPARE(items(), QStringList({"Утро", "Вечер"}));
        QCOMPARE(combo()->currentIndex(), -1);
        QCOMPARE(combo()->currentText(), QString());
        QVERIFY(!m_host->saveAction()->isEnabled());
        QVERIFY(!m_host->delAction()->isEnabled());
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
        ProfileTestHost::type(combo()->lineEdit(), typed);
        QCOMPARE(combo()->currentText(), chosen);
        QCOMPARE(combo()->currentIndex(), items().indexOf(chosen));
        QCOMPARE(m_host->inputs(), chosen == "Вечер" ? m_evening : m_morning);
        // Loaded once, and every label refreshed in order with the loaded values.
        QCOMPARE(m_host->scrollLog.size(), 6);
        QCOMPARE(m_host->scrollLog.first(),
                 QStringLiteral("Slider2_Scroll(%1)").arg(chosen == "Вечер" ? 50 : 30));
        QVERIFY(m_host->scrollLog.last().startsWith(QStringLiteral("Slider7_Scroll(")));
        QVERIFY(m_host->saveAction()->isEnabled());
        QVERIFY(m_host->delAction()->isEnabled());
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
        ProfileTestHost::type(combo()->lineEdit(), typed);
        QTest::keyClick(combo()->lineEdit(), Qt::Key_Return);
        QCOMPARE(combo()->currentText(), typed);
        QCOMPARE(combo()->currentIndex(), -1);
        QCOMPARE(items(), QStringList({"Утро", "Вечер"}));
        QCOMPARE(m_host->inputs(), m_fresh);
        QVERIFY(m_host->scrollLog.isEmpty());
        QCOMPARE(m_host->saveAction()->isEnabled(), saveEnabled);
        QVERIFY(!m_host->delAction()->isEnabled());
    }

    void editingAPickedNameLeavesNothingChosen()
    {
        pick(QStringLiteral("Утро"));
        QTest::keyClick(combo()->lineEdit(), Qt::Key_End);
        ProfileTestHost::type(combo()->lineEdit(), QStringLiteral("м"));
        QCOMPARE(combo()->currentText(), QStringLiteral("Утром"));
        QCOMPARE(combo()->currentIndex(), -1);
        QVERIFY(!m_host->delAction()->isEnabled());
        QCOMPARE(m_host->inputs(), m_morning);
    }

    void savingANewNameAppendsItUnchosen()
    {
        ProfileTestHost::type(combo()->lineEdit(), QStringLiteral("Ночь"));
        m_host->slider(2)->setValue(64);
        m_host->saveAction()->trigger();

        QCOMPARE(shown(), QStringList({"C Профиль 'Ночь' сохранен."}));
        QCOMPARE(items(), QStringList({"Утро", "Вечер", "Ночь"}));
        QCOMPARE(combo()->currentIndex(), -1);
        QCOMPARE(combo()->currentText(), QStringLiteral("Ночь"));
        QVERIFY(!m_host->delAction()->isEnabled());
        QCOMPARE(stored(listKey("_3_")), QStringLiteral("Ночь"));
        QCOMPARE(stored(listKey("Ночь/C30")), QStringLiteral("64"));

        // Saving again at once asks nothing and takes the next number.
        m_boxes->clear();
        m_host->saveAction()->trigger();
        QCOMPARE(shown(), QStringList({"C Профиль 'Ночь' сохранен."}));
        QCOMPARE(items(), QStringList({"Утро", "Вечер", "Ночь"}));
        QVERIFY(!QSettings(file(), QSettings::IniFormat).contains(listKey("_3_")));
        QCOMPARE(stored(listKey("_4_")), QStringLiteral("Ночь"));
        QCOMPARE(stored(listKey("LastIndex")), QStringLiteral("4"));
    }

    void savingIntoAnEmptyListLeavesItUnchosen()
    {
        QVERIFY(m_store->deleteSection(ProfileStore::application(), ProfileStore::listSection()));
        m_commands->LoadPresets();
        ProfileTestHost::type(combo()->lineEdit(), QStringLiteral("Первый"));
        m_host->saveAction()->trigger();
        QCOMPARE(items(), QStringList({"Первый"}));
        QCOMPARE(combo()->currentIndex(), -1);
        QVERIFY(m_host->scrollLog.isEmpty());
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
        m_host->slider(2)->setValue(77);
        const QByteArray before = bytes();
        m_boxes->queueAnswer(yes);
        m_host->saveAction()->trigger();

        QStringList expected = {"Q Профиль 'Утро' уже существует. Перезаписать его?"};
        if (yes)
            expected.append("C Профиль 'Утро' сохранен.");
        QCOMPARE(shown(), expected);
        QCOMPARE(items(), QStringList({"Утро", "Вечер"}));
        QCOMPARE(combo()->currentIndex(), 0);
        if (yes) {
            QVERIFY(!QSettings(file(), QSettings::IniFormat).contains(listKey("_1_")));
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
        m_host->delAction()->trigger();

        QCOMPARE(shown(), QStringList({"Q Вы действительно хотите удалить профиль 'Вечер'?"}));
        QCOMPARE(combo()->currentText(), QStringLiteral("Вечер"));
        QCOMPARE(m_host->inputs(), m_evening);
        QVERIFY(m_host->saveAction()->isEnabled());
        if (yes) {
            QCOMPARE(items(), QStringList({"Утро"}));
            QCOMPARE(combo()->currentIndex(), -1);
            QVERIFY(!m_host->delAction()->isEnabled());
            QCOMPARE(ProfileStore(*m_store).LoadPresets(), QStringList({"Утро"}));
            QVERIFY(m_store
                        ->keys(ProfileStore::application(),
                               ProfileStore::profileSection(QStringLiteral("Вечер")))
                        .isEmpty());
        } else {
            QCOMPARE(items(), QStringList({"Утро", "Вечер"}));
            QCOMPARE(combo()->currentIndex(), 1);
            QVERIFY(m_host->delAction()->isEnabled());
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

    // A full disk, or a lock that cannot be taken (each command then waits about 2 s): the
    // user hears of it, nothing claims success, the list stays, and the old profile still loads.
    void refusedWriteIsReportedAndLosesNothing_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("full disk") << true;
        QTest::newRow("lock path taken by a folder") << false;
    }
    void refusedWriteIsReportedAndLosesNothing()
    {
        QFETCH(bool, fullDisk);
        if (fullDisk && !RefusedWrites::available())
            QSKIP("no way to refuse writes here");
        pick(QStringLiteral("Утро"));
        m_host->slider(2)->setValue(77);
        {
            std::optional<RefusedWrites> refused;
            const QString lock = file() + QStringLiteral(".lock");
            if (fullDisk)
                refused.emplace();
            else
                QVERIFY(QDir().mkdir(lock));
            m_host->saveAction()->trigger();
            combo()->setEditText(QStringLiteral("Ночь"));
            m_host->saveAction()->trigger();
            pick(QStringLiteral("Вечер"));
            m_host->delAction()->trigger();
            if (!fullDisk)
                QVERIFY(QDir().rmdir(lock));
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
        QCOMPARE(m_host->inputs(), m_morning);
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
        m_commands->Toolbar1_ButtonClick(m_host->saveAction());
        QCOMPARE(shown(), QStringList({"C Профиль 'Ночь' сохранен."}));
    }

    void buttonsShowIconsAndHaveSpokenNames()
    {
        for (QAction* action : {m_host->saveAction(), m_host->delAction()}) {
            QVERIFY(!action->icon().isNull());
            const QSize size = action->icon().actualSize(QSize(16, 16));
            QCOMPARE(size, QSize(16, 16));
            auto* button = qobject_cast<QToolButton*>(m_host->toolbar()->widgetForAction(action));
            QVERIFY(button);
            QVERIFY(!button->accessibleName().isEmpty());
            QVERIFY(button->text().isEmpty());
            QVERIFY(button->toolTip().isEmpty());
        }
    }

private:
    QComboBox* combo() const { return m_host->combo2(); }
    QStringList items() const
    {
        QStringList result;
        for (int i = 0; i < combo()->count(); ++i)
            result.append(combo()->itemText(i));
        return result;
    }
    // Chooses an entry as the user does from the drop-down list.
    void pick(const QString& name)
    {
        combo()->setCurrentIndex(items().indexOf(name));
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
    QString file() const { return m_store->location(ProfileStore::application()); }
    QByteArray bytes() const
    {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString stored(const QString& key) const
    {
        QSettings settings(file(), QSettings::IniFormat);
        settings.allKeys(); // every section read before a look-up by name
        return settings.value(key).toString();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<ProfileTestHost> m_host;
    std::unique_ptr<ProfileCommands> m_commands;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    QString m_morning, m_evening, m_fresh;
};

QTEST_MAIN(TestProfileCommands)
#include "tst_profilecommands.moc"
