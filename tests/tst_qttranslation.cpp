#include "core/app/QtTranslation.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

// What a person reads on Qt's own buttons and menus, shortcuts cut off.
QStringList messageBoxButtons()
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Kalder Vitalon"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No);
    return {box.button(QMessageBox::Yes)->text(), box.button(QMessageBox::No)->text()};
}

QStringList buttonBoxButtons()
{
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    return {box.button(QDialogButtonBox::Ok)->text(), box.button(QDialogButtonBox::Cancel)->text()};
}

QStringList lineEditMenu()
{
    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator())
            texts << action->text().section(QLatin1Char('\t'), 0, 0);
    }
    return texts.mid(0, 2);
}

using Texts = QStringList (*)();

} // namespace

Q_DECLARE_METATYPE(Texts)

class TestQtTranslation : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // An English system: the program is Russian all the same.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(messageBoxButtons(), QStringList({QStringLiteral("&Yes"), QStringLiteral("&No")}));
    }

    void qtTextsAreRussian_data()
    {
        QTest::addColumn<Texts>("texts");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("question box")
            << Texts(&messageBoxButtons)
            << QStringList({QStringLiteral("&Да"), QStringLiteral("&Нет")});
        QTest::newRow("button box")
            << Texts(&buttonBoxButtons)
            << QStringList({QStringLiteral("OK"), QStringLiteral("Отмена")});
        QTest::newRow("line edit menu") << Texts(&lineEditMenu)
                                        << QStringList({QStringLiteral("&Отменить действие"),
                                                        QStringLiteral("&Повторить действие")});
    }

    void qtTextsAreRussian()
    {
        QFETCH(Texts, texts);
        QFETCH(QStringList, expected);
        QVERIFY(installTranslations(*qApp, UiLanguage::Russian));
        QCOMPARE(texts(), expected);
    }

    // Choosing English takes Qt's Russian texts away again.
    void qtTextsFollowEnglish()
    {
        QVERIFY(installTranslations(*qApp, UiLanguage::Russian));
        QVERIFY(installTranslations(*qApp, UiLanguage::English));
        QCOMPARE(messageBoxButtons(), QStringList({QStringLiteral("&Yes"), QStringLiteral("&No")}));
        QCOMPARE(buttonBoxButtons(), QStringList({QStringLiteral("OK"), QStringLiteral("Cancel")}));
    }
};

QTEST_MAIN(TestQtTranslation)
#include "tst_qttranslation.moc"
