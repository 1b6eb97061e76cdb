#include "core/assessment/AssessmentResult.h"
#include "core/assessment/LeadingNumber.h"
#include "widgets/support/AppFonts.h"
#include "windows/results/ResultForm.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

class TestResultForm : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { AppFonts::registerTahoma(); }

    void wholeAgesRoundDown_data()
    {
        QTest::addColumn<double>("biological");
        QTest::addColumn<double>("proper");
        QTest::addColumn<QString>("biologicalShown");
        QTest::addColumn<QString>("properShown");
        QTest::newRow("fractions drop") << 52.76 << 21.99 << "52 года"
                                        << "21 год";
        QTest::newRow("negative goes down") << -18.2 << 31.18 << "-19 лет"
                                            << "31 год";
        QTest::newRow("whole stays") << 30.0 << 26.0 << "30 лет"
                                     << "26 лет";
    }
    void wholeAgesRoundDown()
    {
        QFETCH(double, biological);
        QFETCH(double, proper);
        QFETCH(QString, biologicalShown);
        QFETCH(QString, properShown);
        AssessmentResult result;
        result.biologicalAge = FixedPoint::fromDouble(biological);
        result.properBiologicalAge = FixedPoint::fromDouble(proper);
        result.verdictText =
            QStringLiteral("Нет описания.\r\nВы уверены, что правильно ввели данные?");
        ResultForm form;
        form.fill(result, QStringLiteral("37 лет"));
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label3"))->text(), biologicalShown);
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label6"))->text(), properShown);
        // The calendar age is the main window's text, not recomputed.
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("37 лет"));
        QCOMPARE(form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText(),
                 QStringLiteral("Нет описания.\nВы уверены, что правильно ввели данные?"));
    }

    void windowParts()
    {
        ResultForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Результаты"));
        auto* tabs = form.findChild<QTabWidget*>();
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 1);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Ваш результат"));
        QVERIFY(form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->isReadOnly());
        auto* close = form.findChild<QPushButton*>(QStringLiteral("Command1"));
        QCOMPARE(close->text(), QStringLiteral("Закрыть"));
        QVERIFY(close->isFlat());
        form.show();
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }

    // Every caption fits its place in the window's font.
    void captionsFit()
    {
        ResultForm form;
        for (QLabel* label : form.findChildren<QLabel*>()) {
            if (label->wordWrap())
                continue;
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->text()));
        }
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::newRow("age") << "20 лет" << 20;
        QTest::newRow("seconds") << "300 сек" << 300;
        QTest::newRow("negative") << "-19 лет" << -19;
        QTest::newRow("leading blank") << " 65 кг" << 65;
        QTest::newRow("no number") << "лет" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        QCOMPARE(LeadingNumber(text), number);
    }
};

QTEST_MAIN(TestResultForm)
#include "tst_resultform.moc"
