#include "core/assessment/AgeString.h"
#include "core/assessment/AssessmentResult.h"
#include "core/assessment/ComputeAssessment.h"
#include "core/assessment/LeadingNumber.h"
#include "widgets/support/AppFonts.h"
#include "windows/results/ResultForm.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <algorithm>

namespace {

template <typename T> T* child(const QWidget& root, const char* name)
{
    T* found = root.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no %s", name);
    return found;
}

// Every combination of the ends of the inputs' ranges; the formulas are linear in each input,
// so their least and greatest results lie among these. Statements run from none counted (the
// complaints clear, the good-health signs marked) to all counted twice (greyed), the rating
// from "хорошее" to "очень плохое".
QVector<AssessmentRecord> rangeCorners(Sex sex)
{
    QVector<AssessmentRecord> corners;
    for (int bits = 0; bits < 1 << 7; ++bits) {
        const auto end = [bits](int bit, int low, int high) {
            return bits & (1 << bit) ? high : low;
        };
        AssessmentRecord r;
        r.sex = sex;
        r.calendarAge = end(0, 5, 90);
        r.bodyMass = end(1, 10, 200);
        r.systolicPressure = end(2, 40, 360);
        r.diastolicPressure = end(3, 40, 240);
        r.breathHold = end(4, 5, 300);
        r.balance = end(5, 1, 60);
        const bool counted = bits & (1 << 6);
        for (int i = 0; i < AssessmentRecord::StatementCount; ++i)
            r.statements[static_cast<size_t>(i)] = counted ? 2 : (i >= 24 ? 1 : 0);
        r.healthRating = counted ? 3 : 0;
        corners.append(r);
    }
    return corners;
}

} // namespace

Q_DECLARE_METATYPE(AssessmentRecord)

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

    // Every age the inputs' ranges can give fits its value label, in the window's font. The
    // ranges' ends are run through the calculation; every whole number between its least and
    // greatest result can be shown.
    void valuesFitTheirLabels_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        for (Sex sex : {Sex::Male, Sex::Female}) {
            int lowBa = INT_MAX, highBa = INT_MIN, lowPba = INT_MAX, highPba = INT_MIN;
            for (const AssessmentRecord& r : rangeCorners(sex)) {
                const AssessmentResult result = ComputeAssessment(r);
                lowBa = std::min(lowBa, result.wholeBiologicalAge());
                highBa = std::max(highBa, result.wholeBiologicalAge());
                lowPba = std::min(lowPba, result.wholeProperBiologicalAge());
                highPba = std::max(highPba, result.wholeProperBiologicalAge());
            }
            const char* who = sex == Sex::Male ? "male" : "female";
            QTest::addRow("biological, %s", who) << "Label3" << lowBa << highBa;
            QTest::addRow("proper, %s", who) << "Label6" << lowPba << highPba;
        }
        QTest::newRow("calendar") << "Label2" << 5 << 90;
    }
    void valuesFitTheirLabels()
    {
        QFETCH(QString, label);
        QFETCH(int, low);
        QFETCH(int, high);
        // The ranges reach the ages the issue found cut.
        if (label == QLatin1String("Label3"))
            QVERIFY(high >= 125 || low <= -92);
        ResultForm form;
        const QLabel* value = child<QLabel>(form, qPrintable(label));
        const QFontMetrics metrics(value->font());
        QString widest;
        for (int n = low; n <= high; ++n) {
            if (metrics.horizontalAdvance(AgeString(n)) > metrics.horizontalAdvance(widest))
                widest = AgeString(n);
        }
        QVERIFY2(metrics.horizontalAdvance(widest) <= value->contentsRect().width(),
                 qPrintable(widest));
    }

    // The two results the issue found cut, shown whole.
    void widestResultsShownWhole_data()
    {
        QTest::addColumn<AssessmentRecord>("record");
        QTest::addColumn<QString>("biological");
        AssessmentRecord male;
        male.calendarAge = 90;
        male.systolicPressure = 360;
        male.diastolicPressure = 40;
        male.breathHold = 5;
        male.balance = 1;
        for (int i = 0; i < 24; ++i)
            male.statements[static_cast<size_t>(i)] = 1;
        male.healthRating = 3;
        AssessmentRecord female;
        female.sex = Sex::Female;
        female.calendarAge = 30;
        female.systolicPressure = 40;
        female.diastolicPressure = 240;
        female.bodyMass = 10;
        female.balance = 60;
        for (int i = 24; i < 27; ++i)
            female.statements[static_cast<size_t>(i)] = 1;
        QTest::newRow("male") << male << QStringLiteral("125 лет");
        QTest::newRow("female") << female << QStringLiteral("-92 года");
    }
    void widestResultsShownWhole()
    {
        QFETCH(AssessmentRecord, record);
        QFETCH(QString, biological);
        ResultForm form;
        form.fill(ComputeAssessment(record), AgeString(record.calendarAge));
        const QLabel* label = child<QLabel>(form, "Label3");
        QCOMPARE(label->text(), biological);
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <=
                label->contentsRect().width());
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
