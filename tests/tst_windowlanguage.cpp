// The main window as a person reads it in either language: the same window, the same actions,
// English texts with English chosen and the Russian ones, exactly as before, otherwise.
#include "core/app/DisplayLocale.h"
#include "core/app/QtTranslation.h"
#include "windows/mainwindow/Form1.h"
#include "windows/mainwindow/ProfileCommands.h"

#include "MainWindowProbe.h"
#include "ScriptedMessageBoxes.h"
#include "StoreFolder.h"
#include "WindowStores.h"

#include <QComboBox>
#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(UiLanguage)

class TestWindowLanguage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { use(UiLanguage::Russian); }

    void mainWindowTexts_data()
    {
        QTest::addColumn<UiLanguage>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("ageCaption");
        QTest::addColumn<QString>("calculate");
        QTest::addColumn<QString>("saved");
        // A name that looks like a placeholder stays itself in the message.
        QTest::newRow("Russian") << UiLanguage::Russian
                                 << "Kalder Vitalon - Расчет биологического возраста "
                                 << "Возраст:"
                                 << "Рассчитать"
                                 << "Профиль '%1 и %2' сохранен.";
        QTest::newRow("English") << UiLanguage::English
                                 << "Kalder Vitalon - Biological Age Calculation "
                                 << "Age:"
                                 << "Calculate"
                                 << "Profile '%1 и %2' saved.";
    }

    void mainWindowTexts()
    {
        QFETCH(UiLanguage, language);
        QFETCH(QString, title);
        QFETCH(QString, ageCaption);
        QFETCH(QString, calculate);
        QFETCH(QString, saved);
        use(language);
        StoreFolder folder;
        QVERIFY(folder.isValid());
        folder.useForNativeStore();
        WindowStores stores;
        Form1 form(stores.settings, stores.history);
        const MainWindowProbe probe(form);
        // The version follows the caption.
        QVERIFY2(form.windowTitle().startsWith(title), qPrintable(form.windowTitle()));
        QCOMPARE(probe.text("Label3"), ageCaption);
        QStringList buttons;
        for (const QPushButton* button : form.findChildren<QPushButton*>())
            buttons << button->text();
        QVERIFY2(buttons.contains(calculate), qPrintable(buttons.join(QLatin1Char('|'))));

        ScriptedMessageBoxes boxes;
        probe.profileBox()->setEditText(QStringLiteral("%1 и %2"));
        form.findChild<ProfileCommands*>()->Save1();
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.shown().constFirst().text, saved);
    }

private:
    static void use(UiLanguage language)
    {
        DisplayLocale::set(language, language == UiLanguage::Russian
                                         ? QLocale(QLocale::Russian, QLocale::Russia)
                                         : QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(installTranslations(*qApp, language));
    }
};

QTEST_MAIN(TestWindowLanguage)
#include "tst_windowlanguage.moc"
