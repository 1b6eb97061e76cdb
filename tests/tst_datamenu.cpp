// The main window's data menu: where it stands, how it is reached and named, and what the
// window shows after a backup or a restore made through it.
#include "core/data/DataTransfer.h"
#include "core/history/HistoryStore.h"
#include "core/profiles/ProfileStore.h"
#include "core/profiles/SettingsStore.h"
#include "windows/mainwindow/DataMenu.h"
#include "windows/mainwindow/Form1.h"

#include "MainWindowProbe.h"
#include "ScriptedMessageBoxes.h"
#include "StoreFolder.h"
#include "WindowStores.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <memory>

class TestDataMenu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        // The window's history lives below the home folder in test mode: this one's own.
        qputenv("HOME", QFile::encodeName(m_home.path()));
        QStandardPaths::setTestModeEnabled(true);
    }
    void init()
    {
        m_store = std::make_unique<StoreFolder>();
        QVERIFY(m_store->isValid());
        m_store->useForNativeStore();
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
    }

    // A tool button after the profile buttons in the Tab chain, named for a screen reader,
    // with a tip and the three commands.
    void buttonStandsBesideProfileButtons()
    {
        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        auto* bar = form.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
        QVERIFY(bar);
        auto* button = bar->findChild<QToolButton*>(QStringLiteral("data"));
        QVERIFY(button);
        QCOMPARE(button->accessibleName(), QStringLiteral("Копия данных"));
        QVERIFY(!button->toolTip().isEmpty());
        QVERIFY(button->focusPolicy() & Qt::TabFocus);
        QVERIFY(button->menu());
        QStringList texts;
        for (const QAction* action : button->menu()->actions())
            texts << action->text();
        QCOMPARE(texts, QStringList({"Сохранить копию данных…", "Восстановить из копии…",
                                     "Заменить все данные копией"}));
        MainWindowProbe probe(form);
        QWidget* del = bar->widgetForAction(probe.profileButton("del"));
        QCOMPARE(del->nextInFocusChain(), button);
        QCOMPARE(button->nextInFocusChain(), form.findChild<QWidget*>(QStringLiteral("Command1")));
        // Shown inside the tool bar (not in its overflow menu), clear of the profile buttons.
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(button->isVisible());
        QVERIFY(bar->rect().contains(button->geometry()));
        QVERIFY(!button->geometry().intersects(del->geometry()));
    }

    // After a restore the list holds the copy's profiles, no profile is loaded and the text
    // typed stays; the message says where the data before went.
    void restoreRefillsListWithoutLoading()
    {
        const QString copy = m_home.filePath(QStringLiteral("утро.kvbackup"));
        {
            QTemporaryDir other;
            SettingsStore settings(other.filePath(QStringLiteral("settings")));
            HistoryStore history(other.filePath(QStringLiteral("data")));
            ProfileInputs in;
            in.calendarAge = 77;
            QVERIFY(ProfileStore(settings).Save(QStringLiteral("Утро"), false, in));
            QVERIFY(DataTransfer(settings, history).backup(copy).ok);
        }
        ScriptedMessageBoxes boxes;
        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        MainWindowProbe probe(form);
        probe.profileBox()->setEditText(QStringLiteral("набрано"));
        const ProfileInputs before = form.profileInputs();
        auto* menu = form.findChild<DataMenu*>();
        QVERIFY(menu);

        menu->restoreFrom(copy, DataTransfer::Mode::Merge);
        QCOMPARE(probe.entries(), QStringList{QStringLiteral("Утро")});
        QCOMPARE(probe.profileBox()->currentIndex(), -1);
        QCOMPARE(probe.profileBox()->currentText(), QStringLiteral("набрано"));
        QCOMPARE(form.profileInputs(), before);
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown().constFirst().kind, ScriptedMessageBoxes::Kind::Confirmation);
        QVERIFY(boxes.shown().constFirst().text.contains(DataTransfer::automaticCopyPrefix()));
    }

    // A file that is no copy: a refusal saying so, and the list as it was.
    void refusalIsShown()
    {
        {
            SettingsStore settings;
            QVERIFY(ProfileStore(settings).Save(QStringLiteral("Вечер"), false, {}));
        }
        const QString bogus = m_home.filePath(QStringLiteral("не копия.kvbackup"));
        QFile file(bogus);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("plain text, not a copy");
        file.close();
        ScriptedMessageBoxes boxes;
        WindowStores formStores;
        Form1 form(formStores.settings, formStores.history);
        MainWindowProbe probe(form);
        form.findChild<DataMenu*>()->restoreFrom(bogus, DataTransfer::Mode::Replace);
        QCOMPARE(probe.entries(), QStringList{QStringLiteral("Вечер")});
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown().constFirst().kind, ScriptedMessageBoxes::Kind::Refusal);
        QVERIFY(boxes.shown().constFirst().text.contains(QStringLiteral("не является копией")));
    }

private:
    QTemporaryDir m_home;
    std::unique_ptr<StoreFolder> m_store;
};

QTEST_MAIN(TestDataMenu)
#include "tst_datamenu.moc"
