// The real message boxes of the profile commands, shown over a real main window and answered
// once they have taken the focus, as a user answers them: what they do to the profile box, their
// font, and their size with long names.
#include "core/profiles/ProfileStore.h"
#include "core/profiles/SettingsStore.h"
#include "widgets/support/AppFonts.h"
#include "widgets/support/MessageBoxes.h"
#include "windows/mainwindow/Form1.h"
#include "windows/mainwindow/ProfileCommands.h"

#include "MainWindowProbe.h"
#include "MessageBoxDriver.h"
#include "ProfileInputsText.h"
#include "RefusedWrites.h"
#include "StoreFolder.h"
#include "WindowStores.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QToolBar>
#include <QtTest>

class TestMessageBoxes : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // A platform whose own fonts are larger than the program's, for boxes in general and
        // for their texts in particular.
        m_appFont = QApplication::font();
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 13));
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 15), "QMessageBoxLabel");
    }
    void cleanupTestCase() { QApplication::setFont(m_appFont); }

    void init()
    {
        m_dir = std::make_unique<StoreFolder>();
        QVERIFY(m_dir->isValid());
        m_dir->useForNativeStore();
        m_stores = std::make_unique<WindowStores>();
        m_form = std::make_unique<Form1>(m_stores->settings, m_stores->history);
        m_probe = std::make_unique<MainWindowProbe>(*m_form);
        m_loaded = std::make_unique<QSignalSpy>(m_form->findChild<ProfileCommands*>(),
                                                &ProfileCommands::profileLoaded);
        m_boxes = std::make_unique<MessageBoxDriver>();
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        combo()->lineEdit()->setFocus();
        QTRY_VERIFY(combo()->lineEdit()->hasFocus());
    }
    void cleanup()
    {
        m_boxes.reset();
        m_loaded.reset();
        m_probe.reset();
        m_form.reset();
        m_stores.reset();
        m_dir.reset();
    }

    // Saving a new name leaves its entry unchosen however the editing of the box ends: the
    // "saved" box taking the focus, Enter, or the focus moving on. Saving again asks nothing.
    void savedNameStaysUnchosen_data()
    {
        QTest::addColumn<QString>("then");
        QTest::newRow("the saved box took the focus") << "";
        QTest::newRow("Enter in the box") << "enter";
        QTest::newRow("Tab to the next control") << "tab";
    }
    void savedNameStaysUnchosen()
    {
        QFETCH(QString, then);
        MainWindowProbe::type(combo()->lineEdit(), QStringLiteral("Ночь"));
        QTest::mouseClick(button("save"), Qt::LeftButton);
        QCOMPARE(m_boxes->texts(), QStringList({"Профиль 'Ночь' сохранен."}));
        QVERIFY(m_boxes->seen().first().tookFocus);
        // As the window manager does once the box is gone.
        QApplication::setActiveWindow(m_form.get());
        QTRY_VERIFY(combo()->lineEdit()->hasFocus());
        if (then == "enter")
            QTest::keyClick(combo()->lineEdit(), Qt::Key_Return);
        else if (then == "tab")
            QTest::keyClick(combo()->lineEdit(), Qt::Key_Tab);
        if (!then.isEmpty())
            QTRY_VERIFY(combo()->lineEdit()->hasFocus() == (then == "enter"));

        QCOMPARE(m_probe->entries(), QStringList({"Ночь"}));
        QCOMPARE(combo()->currentIndex(), -1);
        QCOMPARE(combo()->currentText(), QStringLiteral("Ночь"));
        QVERIFY(!m_probe->profileButton("del")->isEnabled());
        QCOMPARE(m_loaded->count(), 0);

        QTest::mouseClick(button("save"), Qt::LeftButton);
        QCOMPARE(m_boxes->texts(),
                 QStringList({"Профиль 'Ночь' сохранен.", "Профиль 'Ночь' сохранен."}));
        QVERIFY(m_boxes->seen().last().tookFocus);
        QCOMPARE(combo()->currentIndex(), -1);
        QCOMPARE(ProfileStore(*store()).LoadPresets(), QStringList({"Ночь"}));
    }

    // Each kind of box is in the program's font, not the platform's larger one.
    void boxesUseTheProgramFont_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("buttons");
        QTest::newRow("refusal") << 0 << int(QMessageBox::Warning) << 1;
        QTest::newRow("confirmation") << 1 << int(QMessageBox::Information) << 1;
        QTest::newRow("question") << 2 << int(QMessageBox::Warning) << 2;
    }
    void boxesUseTheProgramFont()
    {
        QFETCH(int, kind);
        QFETCH(int, icon);
        QFETCH(int, buttons);
        MessageBoxes& boxes = MessageBoxes::instance();
        const QString text = QStringLiteral("Профиль 'Дуду ругу' уже существует.");
        if (kind == 0)
            boxes.refusal(m_form.get(), text);
        else if (kind == 1)
            boxes.confirmation(m_form.get(), text);
        else
            QVERIFY(boxes.question(m_form.get(), text));
        QCOMPARE(m_boxes->seen().size(), 1);
        const MessageBoxDriver::Seen& seen = m_boxes->seen().first();
        QCOMPARE(int(seen.icon), icon);
        QCOMPARE(seen.buttons.size(), buttons);
        const QFont program = AppFonts::tahoma();
        QList<QFont> fonts = seen.buttonFonts;
        fonts.prepend(seen.labelFont);
        for (const QFont& font : fonts) {
            QCOMPARE(font.family(), program.family());
            QCOMPARE(font.pointSizeF(), 8.25);
            if (AppFonts::registerTahoma())
                QCOMPARE(QFontInfo(font).family(), QStringLiteral("Tahoma"));
        }
    }

    // A long name, with or without blanks, in any box that quotes it: the box stays on the
    // screen, its buttons in it, its text whole; the name keeps its beginning and its end.
    void longNamesKeepTheBoxOnScreen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("boxes");
        const QString letters(300, QChar(u'Щ'));
        const QString latin = QString(299, QLatin1Char('W')) + QLatin1Char('i');
        QString words;
        for (int i = 0; i < 600; ++i)
            words += QStringLiteral("Дуду ругу ");
        words = words.trimmed();
        QTest::newRow("saved, 300 letters") << letters << "save new" << 1;
        QTest::newRow("saved, 300 Latin letters") << latin << "save new" << 1;
        QTest::newRow("saved, 6000 characters with blanks") << words << "save new" << 1;
        QTest::newRow("overwrite question") << letters << "overwrite" << 2;
        QTest::newRow("delete question") << letters << "delete" << 1;
        QTest::newRow("save refused") << letters << "save refused" << 1;
        QTest::newRow("delete refused") << letters << "delete refused" << 2;
    }
    void longNamesKeepTheBoxOnScreen()
    {
        QFETCH(QString, name);
        QFETCH(QString, command);
        QFETCH(int, boxes);
        if (command.endsWith("refused") && !RefusedWrites::available())
            QSKIP("no way to refuse writes here");
        if (command == "overwrite" || command.startsWith("delete")) {
            QVERIFY(ProfileStore(*store()).Save(name, false, startInputs()));
            m_form->findChild<ProfileCommands*>()->LoadPresets();
            m_probe->pick(name);
        } else {
            combo()->setEditText(name);
        }
        {
            std::unique_ptr<RefusedWrites> refused;
            if (command.endsWith("refused"))
                refused = std::make_unique<RefusedWrites>();
            QTest::mouseClick(button(command.startsWith("delete") ? "del" : "save"),
                              Qt::LeftButton);
        }
        QCOMPARE(m_boxes->seen().size(), boxes);
        for (const MessageBoxDriver::Seen& seen : m_boxes->seen()) {
            QVERIFY(seen.tookFocus);
            QVERIFY2(seen.available.contains(seen.frame),
                     qPrintable(QStringLiteral("box %1,%2 %3x%4 on a screen of %5x%6")
                                    .arg(seen.frame.x())
                                    .arg(seen.frame.y())
                                    .arg(seen.frame.width())
                                    .arg(seen.frame.height())
                                    .arg(seen.available.width())
                                    .arg(seen.available.height())));
            QVERIFY(seen.buttonsInside);
            QVERIFY(seen.textWhole);
            const QString quoted = seen.text.section(QLatin1Char('\''), 1, 1);
            QVERIFY(quoted.size() < name.size());
            QVERIFY(quoted.contains(QChar(0x2026)));
            QVERIFY(quoted.startsWith(name.left(10)));
            QVERIFY(quoted.endsWith(name.right(10)));
        }
    }

    // A name is shown as typed: markup in it is text, not formatting.
    void markupInANameIsShownAsTyped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("bold tag") << "<b>Иван";
        QTest::newRow("picture tag") << "<img src=\"x.png\">";
        QTest::newRow("entity") << "Иван &amp; Мария";
    }
    void markupInANameIsShownAsTyped()
    {
        QFETCH(QString, name);
        combo()->setEditText(name);
        QTest::mouseClick(button("save"), Qt::LeftButton);
        QCOMPARE(m_boxes->texts(), QStringList({"Профиль '" + name + "' сохранен."}));
        QCOMPARE(m_boxes->seen().first().format, Qt::PlainText);
    }

private:
    QComboBox* combo() const { return m_probe->profileBox(); }
    QWidget* button(const char* key) const
    {
        return m_form->findChild<QToolBar*>(QStringLiteral("Toolbar1"))
            ->widgetForAction(m_probe->profileButton(key));
    }
    std::unique_ptr<SettingsStore> store() const
    {
        return std::make_unique<SettingsStore>(m_dir->path());
    }

    QFont m_appFont;
    std::unique_ptr<StoreFolder> m_dir;
    std::unique_ptr<WindowStores> m_stores;
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<MainWindowProbe> m_probe;
    std::unique_ptr<QSignalSpy> m_loaded;
    std::unique_ptr<MessageBoxDriver> m_boxes;
};

QTEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"
