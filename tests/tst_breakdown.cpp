#include "core/assessment/AgeString.h"
#include "core/assessment/AssessmentBreakdown.h"
#include "core/assessment/ComputeAssessment.h"
#include "core/assessment/YearsString.h"

#include "TestRecords.h"

#include <QtTest>

#include <limits>

Q_DECLARE_METATYPE(AssessmentRecord)
Q_DECLARE_METATYPE(SignStyle)
Q_DECLARE_METATYPE(YearsCase)

namespace {

const QString Minus = QStringLiteral("\u2212");

// A record whose health index is `h` (0..52): complaints first, greyed ones counting two, then
// missing good-health signs (some greyed), then a poor rating.
AssessmentRecord withHealthIndex(AssessmentRecord r, int h)
{
    r.statements.fill(0);
    for (int i = 24; i < 27; ++i)
        r.statements[static_cast<size_t>(i)] = 1;
    r.healthRating = 1;
    int left = h;
    for (int i = 0; i < 24 && left > 0; ++i) {
        const int v = (i % 3 == 0 && left >= 2) ? 2 : 1;
        r.statements[static_cast<size_t>(i)] = v;
        left -= v;
    }
    for (int i = 24; i < 27 && left > 0; ++i, --left)
        r.statements[static_cast<size_t>(i)] = i == 25 ? 2 : 0;
    if (left > 0) {
        r.healthRating = 3;
        --left;
    }
    for (int i = 0; i < 24 && left > 0; ++i) {
        const int add = std::min(left, 2 - r.statements[static_cast<size_t>(i)]);
        r.statements[static_cast<size_t>(i)] += add;
        left -= add;
    }
    return r;
}

AssessmentRecord female()
{
    AssessmentRecord r;
    r.sex = Sex::Female;
    return r;
}

QStringList stepTexts(const AssessmentBreakdown& b)
{
    QStringList texts;
    for (const StepHint& step : b.steps())
        texts.append(step.text);
    return texts;
}

} // namespace

class TestBreakdown : public QObject
{
    Q_OBJECT
private slots:
    void yearsString_data()
    {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<SignStyle>("sign");
        QTest::addColumn<YearsCase>("wordCase");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, qint64 raw, const QString& text,
                            SignStyle sign = SignStyle::MinusOnly,
                            YearsCase wordCase = YearsCase::Nominative) {
            QTest::newRow(name) << raw << sign << wordCase << text;
        };
        row("fraction", 15000, QStringLiteral("1,5 года"));
        row("below one", 7200, QStringLiteral("0,72 года"));
        row("trailing zero dropped", 22000, QStringLiteral("2,2 года"));
        row("four decimals", 202345, QStringLiteral("20,2345 года"));
        row("smallest fraction", 1, QStringLiteral("0,0001 года"));
        row("one", 10000, QStringLiteral("1 год"));
        row("two", 20000, QStringLiteral("2 года"));
        row("five", 50000, QStringLiteral("5 лет"));
        row("zero", 0, QStringLiteral("0 лет"));
        row("eleven", 110000, QStringLiteral("11 лет"));
        row("twenty-one", 210000, QStringLiteral("21 год"));
        row("hundred and twelve", 1120000, QStringLiteral("112 лет"));
        row("negative fraction", -15000, Minus + QStringLiteral("1,5 года"));
        row("negative whole", -20000, Minus + QStringLiteral("2 года"));
        row("plus on a change", 7200, QStringLiteral("+0,72 года"), SignStyle::Explicit);
        row("minus on a change", -15000, Minus + QStringLiteral("1,5 года"), SignStyle::Explicit);
        row("no sign on zero", 0, QStringLiteral("0 лет"), SignStyle::Explicit);
        row("genitive one", 510000, QStringLiteral("51 года"), SignStyle::MinusOnly,
            YearsCase::Genitive);
        row("genitive few", 520000, QStringLiteral("52 лет"), SignStyle::MinusOnly,
            YearsCase::Genitive);
        row("genitive teen", 110000, QStringLiteral("11 лет"), SignStyle::MinusOnly,
            YearsCase::Genitive);
        row("genitive fraction", 485000, QStringLiteral("48,5 года"), SignStyle::MinusOnly,
            YearsCase::Genitive);
        row("most negative", std::numeric_limits<qint64>::min(),
            Minus + QStringLiteral("922337203685477,5808 года"));
    }
    void yearsString()
    {
        QFETCH(qint64, raw);
        QFETCH(SignStyle, sign);
        QFETCH(YearsCase, wordCase);
        QFETCH(QString, text);
        QCOMPARE(YearsString(FixedPoint::fromRaw(raw), sign, wordCase), text);
    }

    void fixedDecimalString_data()
    {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero padded") << qint64(389000) << 2 << QStringLiteral("38,90");
        QTest::newRow("rounded down") << qint64(475120) << 2 << QStringLiteral("47,51");
        QTest::newRow("half away from zero") << qint64(475150) << 2 << QStringLiteral("47,52");
        QTest::newRow("carry into the whole") << qint64(99999) << 2 << QStringLiteral("10,00");
        QTest::newRow("negative") << qint64(-87520) << 2 << Minus + QStringLiteral("8,75");
        QTest::newRow("negative rounding to zero") << qint64(-40) << 2 << QStringLiteral("0,00");
        QTest::newRow("whole") << qint64(514100) << 0 << QStringLiteral("51");
        QTest::newRow("all four") << qint64(1) << 4 << QStringLiteral("0,0001");
        QTest::newRow("most negative") << std::numeric_limits<qint64>::min() << 1
                                       << Minus + QStringLiteral("922337203685477,6");
    }
    void fixedDecimalString()
    {
        QFETCH(qint64, raw);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(FixedDecimalString(FixedPoint::fromRaw(raw), decimals), text);
    }

    // Whole years take the very word AgeString gives, so both declensions stay one.
    void wholeYearsDeclineAsAgeString()
    {
        for (int n = -250; n <= 250; ++n) {
            const QString word = AgeString(n).section(QLatin1Char(' '), 1);
            QCOMPARE(YearsString(FixedPoint::fromInt(n)).section(QLatin1Char(' '), 1), word);
        }
    }

    // Over the whole input ranges, for both sexes and with greyed statements, the contributions
    // add up to ComputeAssessment's biological age exactly, and each step moves it by exactly
    // the step times its coefficient, without leaving the input's range.
    void contributionsAddUpExactly_data()
    {
        QTest::addColumn<int>("sex");
        QTest::newRow("male") << int(Sex::Male);
        QTest::newRow("female") << int(Sex::Female);
    }
    void contributionsAddUpExactly()
    {
        QFETCH(int, sex);
        int records = 0;
        for (int i = 0; i < 40000; ++i) {
            AssessmentRecord r;
            r.sex = Sex(sex);
            // Strides prime to each range walk every value of every input in changing company.
            r.calendarAge = 5 + (i * 7) % 86;
            r.bodyMass = 10 + (i * 11) % 191;
            r.systolicPressure = 40 + 10 * ((i * 5) % 33);
            r.diastolicPressure = 40 + 10 * ((i * 3) % 21);
            r.breathHold = 5 + (i * 13) % 296;
            r.balance = 1 + (i * 17) % 60;
            r = withHealthIndex(r, (i * 19) % 53);

            const AssessmentBreakdown b(r);
            const AssessmentResult& result = b.result();
            QCOMPARE(result.healthIndex, (i * 19) % 53);
            QCOMPARE(b.total(), result.biologicalAge);
            QCOMPARE(b.properAge(), result.properBiologicalAge);
            QCOMPARE(b.terms().size(), 5);

            for (const StepHint& step : b.steps()) {
                const auto term =
                    std::find_if(b.terms().begin(), b.terms().end(),
                                 [&](const BreakdownTerm& t) { return t.input == step.input; });
                QVERIFY(term != b.terms().end());
                QCOMPARE(step.change.raw(), term->coefficient.raw() * step.step);
                QVERIFY(step.change.raw() < 0);
            }
            if (const StepHint* s = b.stepFor(BreakdownInput::BreathHold))
                QVERIFY(r.breathHold + s->step <= 300);
            if (const StepHint* s = b.stepFor(BreakdownInput::Balance))
                QVERIFY(r.balance + s->step <= 60);
            if (const StepHint* s = b.stepFor(BreakdownInput::BodyMass))
                QVERIFY(r.bodyMass + s->step >= 10);
            for (auto input : {BreakdownInput::SystolicPressure, BreakdownInput::PulsePressure}) {
                if (b.stepFor(input)) {
                    QVERIFY(r.systolicPressure - 10 >= 40);
                    QVERIFY(r.systolicPressure - 10 >= r.diastolicPressure);
                }
            }
            ++records;
        }
        QCOMPARE(records, 40000);
    }

    void terms_data()
    {
        QTest::addColumn<AssessmentRecord>("record");
        QTest::addColumn<QStringList>("rows"); // title | value | contribution
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("properFormula");
        QTest::newRow("male defaults")
            << AssessmentRecord()
            << QStringList{QStringLiteral("Постоянная||27"),
                           QStringLiteral("Индекс здоровья|3|2,16"),
                           QStringLiteral("Верхнее давление|110 мм рт. ст.|24,2"),
                           QStringLiteral("Задержка дыхания|10 сек|") + Minus + "1,5",
                           QStringLiteral("Стойка на одной ноге|3 сек|") + Minus + "0,45"}
            << QStringLiteral("51,41") << QStringLiteral("20 × 0,629 + 18,6");
        QTest::newRow("female defaults")
            << female()
            << QStringList{QStringLiteral("Постоянная||") + Minus + "1,46",
                           QStringLiteral("Индекс здоровья|3|2,1"),
                           QStringLiteral("Пульсовое давление|30 мм рт. ст.|12,6"),
                           QStringLiteral("Масса тела|65 кг|16,25"),
                           QStringLiteral("Стойка на одной ноге|3 сек|") + Minus + "0,42"}
            << QStringLiteral("29,07") << QStringLiteral("20 × 0,581 + 17,3");
        AssessmentRecord inverted = female();
        inverted.systolicPressure = 40;
        inverted.diastolicPressure = 240;
        inverted.bodyMass = 200;
        QTest::newRow("female, diastolic above systolic")
            << inverted
            << QStringList{QStringLiteral("Постоянная||") + Minus + "1,46",
                           QStringLiteral("Индекс здоровья|3|2,1"),
                           QStringLiteral("Пульсовое давление|") + Minus + "200 мм рт. ст.|" +
                               Minus + "84",
                           QStringLiteral("Масса тела|200 кг|50"),
                           QStringLiteral("Стойка на одной ноге|3 сек|") + Minus + "0,42"}
            << Minus + QStringLiteral("33,78") << QStringLiteral("20 × 0,581 + 17,3");
        AssessmentRecord negative = maleRecord(20, 40, 300, 60);
        negative.statements[24] = negative.statements[25] = negative.statements[26] = 1;
        QTest::newRow("negative biological age")
            << negative
            << QStringList{QStringLiteral("Постоянная||27"), QStringLiteral("Индекс здоровья|0|0"),
                           QStringLiteral("Верхнее давление|40 мм рт. ст.|8,8"),
                           QStringLiteral("Задержка дыхания|300 сек|") + Minus + "45",
                           QStringLiteral("Стойка на одной ноге|60 сек|") + Minus + "9"}
            << Minus + QStringLiteral("18,2") << QStringLiteral("20 × 0,629 + 18,6");
    }
    void terms()
    {
        QFETCH(AssessmentRecord, record);
        QFETCH(QStringList, rows);
        QFETCH(QString, total);
        QFETCH(QString, properFormula);
        const AssessmentBreakdown b(record);
        QStringList shown;
        for (const BreakdownTerm& t : b.terms())
            shown.append(t.title + '|' + t.valueText + '|' + DecimalString(t.contribution));
        QCOMPARE(shown, rows);
        QCOMPARE(DecimalString(b.total()), total);
        QCOMPARE(b.properAgeFormula(), properFormula);
    }

    void formulaOfATerm()
    {
        const AssessmentBreakdown men(AssessmentRecord{});
        QCOMPARE(men.terms().at(3).formula,
                 QStringLiteral("10 × (") + Minus + "0,15) = " + Minus + "1,5");
        const AssessmentBreakdown women(female());
        QCOMPARE(women.terms().at(2).formula,
                 QStringLiteral("(110 ") + Minus + " 80) × 0,42 = 12,6");
    }

    void steps_data()
    {
        QTest::addColumn<AssessmentRecord>("record");
        QTest::addColumn<QStringList>("texts");
        const QString m = Minus;
        const QString toMatching =
            QStringLiteral("; вывод: «Соответствие биологического возраста календарному.»");

        QTest::newRow("male defaults")
            << AssessmentRecord()
            << QStringList{m + "10 мм рт. ст. верхнего давления: " + m + "2,2 года",
                           "+10 сек задержки дыхания: " + m + "1,5 года",
                           "+5 сек на одной ноге: " + m + "0,75 года"};
        // D = 0.15: a pulse pressure 10 lower crosses −3.
        QTest::newRow("female defaults")
            << female()
            << QStringList{m + "10 мм рт. ст. пульсового давления: " + m +
                               "4,2 года; вывод: «Замедленное старение.»",
                           m + "5 кг массы тела: " + m + "1,25 года",
                           "+5 сек на одной ноге: " + m + "0,7 года"};

        AssessmentRecord complaint;
        complaint.statements[4] = 1;
        complaint.statements[7] = 1;
        QTest::newRow("a complaint")
            << complaint
            << QStringList{"На одну жалобу меньше: " + m + "0,72 года",
                           m + "10 мм рт. ст. верхнего давления: " + m + "2,2 года",
                           "+10 сек задержки дыхания: " + m + "1,5 года",
                           "+5 сек на одной ноге: " + m + "0,75 года"};
        // A greyed complaint is not a marked one.
        AssessmentRecord greyed;
        greyed.statements[4] = 2;
        QTest::newRow("only a greyed complaint")
            << greyed
            << QStringList{m + "10 мм рт. ст. верхнего давления: " + m + "2,2 года",
                           "+10 сек задержки дыхания: " + m + "1,5 года",
                           "+5 сек на одной ноге: " + m + "0,75 года"};

        // Near a range's end the step shrinks; at the end there is none.
        QTest::newRow("near the ends") << maleRecord(20, 50, 295, 58)
                                       << QStringList{"+5 сек задержки дыхания: " + m + "0,75 года",
                                                      "+2 сек на одной ноге: " + m + "0,3 года"};
        AssessmentRecord atEnds = maleRecord(20, 40, 300, 60);
        atEnds.diastolicPressure = 40;
        QTest::newRow("at the ends") << atEnds << QStringList{};
        AssessmentRecord thin = female();
        thin.bodyMass = 12;
        thin.balance = 60;
        thin.systolicPressure = 80;
        QTest::newRow("female near the ends")
            << thin << QStringList{m + "2 кг массы тела: " + m + "0,5 года"};

        // D = 3.000 exactly (faster): each step reaches the middle band.
        QTest::newRow("on the faster boundary")
            << maleRecord(40, 110, 41, 3)
            << QStringList{m + "10 мм рт. ст. верхнего давления: " + m + "2,2 года" + toMatching,
                           "+10 сек задержки дыхания: " + m + "1,5 года" + toMatching,
                           "+5 сек на одной ноге: " + m + "0,75 года" + toMatching};
        // D = 30.000 has no verdict; a step brings one.
        QTest::newRow("from no verdict")
            << maleRecord(40, 230, 37, 3)
            << QStringList{
                   m + "10 мм рт. ст. верхнего давления: " + m +
                       "2,2 года; вывод: «Ускоренное старение.»",
                   "+10 сек задержки дыхания: " + m + "1,5 года; вывод: «Ускоренное старение.»",
                   "+5 сек на одной ноге: " + m + "0,75 года; вывод: «Ускоренное старение.»"};
        // D = −30.000 is the last slower value; a step beyond it loses the verdict.
        AssessmentRecord edge = maleRecord(40, 50, 173, 3);
        edge.diastolicPressure = 40;
        QTest::newRow("to no verdict")
            << edge
            << QStringList{m + "10 мм рт. ст. верхнего давления: " + m +
                               "2,2 года; вывод: «Нет описания.»",
                           "+10 сек задержки дыхания: " + m + "1,5 года; вывод: «Нет описания.»",
                           "+5 сек на одной ноге: " + m + "0,75 года; вывод: «Нет описания.»"};
    }
    void steps()
    {
        QFETCH(AssessmentRecord, record);
        QFETCH(QStringList, texts);
        QCOMPARE(stepTexts(AssessmentBreakdown(record)), texts);
    }

    void shortTextOfAStep()
    {
        const AssessmentBreakdown b(AssessmentRecord{});
        const StepHint* breath = b.stepFor(BreakdownInput::BreathHold);
        QVERIFY(breath);
        QCOMPARE(breath->shortText, QStringLiteral("+10 → \u22121,5"));
        const StepHint* pressure = b.stepFor(BreakdownInput::SystolicPressure);
        QVERIFY(pressure);
        QCOMPARE(pressure->shortText, QStringLiteral("\u221210 → \u22122,2"));
        QVERIFY(!b.stepFor(BreakdownInput::HealthIndex));
        QVERIFY(!b.stepFor(BreakdownInput::BodyMass));
    }
};

QTEST_GUILESS_MAIN(TestBreakdown)
#include "tst_breakdown.moc"
