#include "core/assessment/AgeString.h"
#include "core/assessment/AssessmentRecord.h"
#include "core/assessment/ComputeAssessment.h"
#include "core/assessment/FixedPoint.h"

#include "TestRecords.h"

#include <QtTest>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(AssessmentRecord)

class TestAssessment : public QObject
{
    Q_OBJECT
private slots:
    void ageString_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        const auto row = [](int n, const char* text) {
            QTest::newRow(text) << n << QString::fromUtf8(text);
        };
        row(0, "0 лет");
        row(1, "1 год");
        row(2, "2 года");
        row(4, "4 года");
        row(5, "5 лет");
        row(10, "10 лет");
        row(11, "11 лет");
        row(14, "14 лет");
        row(20, "20 лет");
        row(21, "21 год");
        row(22, "22 года");
        row(25, "25 лет");
        row(90, "90 лет");
        row(-1, "-1 год");
        row(-19, "-19 лет");
        // Declined by the last two digits: the teens are "лет" in every hundred.
        row(111, "111 лет");
        row(112, "112 лет");
        row(121, "121 год");
        row(-11, "-11 лет");
        row(-22, "-22 года");
        row(std::numeric_limits<int>::min(), "-2147483648 лет");
        row(std::numeric_limits<int>::max(), "2147483647 лет");
    }
    void ageString()
    {
        QFETCH(int, number);
        QFETCH(QString, text);
        QCOMPARE(AgeString(number), text);
    }

    void fixedPointFromDouble_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<qint64>("floor");
        QTest::newRow("46.76") << 46.76 << qint64(467600) << qint64(46);
        QTest::newRow("just below a ten-thousandth")
            << 52.759999999999998 << qint64(527600) << qint64(52);
        QTest::newRow("negative") << -18.2 << qint64(-182000) << qint64(-19);
        QTest::newRow("negative whole") << -3.0 << qint64(-30000) << qint64(-3);
        QTest::newRow("NaN") << std::nan("") << qint64(0) << qint64(0);
        QTest::newRow("+inf") << std::numeric_limits<double>::infinity()
                              << std::numeric_limits<qint64>::max()
                              << std::numeric_limits<qint64>::max() / 10000;
        QTest::newRow("-inf") << -std::numeric_limits<double>::infinity()
                              << std::numeric_limits<qint64>::min()
                              << std::numeric_limits<qint64>::min() / 10000 - 1;
        QTest::newRow("too large") << 1e300 << std::numeric_limits<qint64>::max()
                                   << std::numeric_limits<qint64>::max() / 10000;
    }
    void fixedPointFromDouble()
    {
        QFETCH(double, value);
        QFETCH(qint64, raw);
        QFETCH(qint64, floor);
        const FixedPoint f = FixedPoint::fromDouble(value);
        QCOMPARE(f.raw(), raw);
        QCOMPARE(f.floor(), floor);
    }

    void compute_data()
    {
        QTest::addColumn<AssessmentRecord>("record");
        QTest::addColumn<int>("health");
        QTest::addColumn<qint64>("ba");
        QTest::addColumn<qint64>("pba");
        QTest::addColumn<qint64>("diff");
        QTest::addColumn<int>("verdictCase");
        QTest::addColumn<int>("wholeBa");
        QTest::addColumn<int>("wholePba");

        QTest::newRow("defaults") << AssessmentRecord() << 3 << qint64(514100) << qint64(311800)
                                  << qint64(202300) << 5 << 51 << 31;
        AssessmentRecord female;
        female.sex = Sex::Female;
        QTest::newRow("female defaults")
            << female << 3 << qint64(290700) << qint64(289200) << qint64(1500) << 3 << 29 << 28;

        // Age 40, balance 3 s: proper age 43.76. The boundaries are exact; the raw doubles
        // of the +9, +30 and -30 rows fall on the wrong side of them.
        const qint64 pba40 = 437600;
        QTest::newRow("D = +3") << maleRecord(40, 110, 41, 3) << 3 << pba40 + 30000 << pba40
                                << qint64(30000) << 4 << 46 << 43;
        QTest::newRow("D = -3") << maleRecord(40, 80, 37, 3) << 3 << pba40 - 30000 << pba40
                                << qint64(-30000) << 2 << 40 << 43;
        QTest::newRow("D = +9") << maleRecord(40, 140, 45, 3) << 3 << qint64(527600) << pba40
                                << qint64(90000) << 5 << 52 << 43;
        QTest::newRow("D = -9") << maleRecord(40, 50, 33, 3) << 3 << pba40 - 90000 << pba40
                                << qint64(-90000) << 1 << 34 << 43;
        QTest::newRow("D = +30") << maleRecord(40, 230, 37, 3) << 3 << qint64(737600) << pba40
                                 << qint64(300000) << 0 << 73 << 43;
        QTest::newRow("D = -30") << maleRecord(40, 50, 173, 3) << 3 << qint64(137600) << pba40
                                 << qint64(-300000) << 1 << 13 << 43;

        AssessmentRecord worst;
        for (int i = 0; i < 24; ++i)
            worst.statements[static_cast<size_t>(i)] = 1;
        worst.healthRating = 3;
        QTest::newRow("H = 28") << worst << 28 << qint64(694100) << qint64(311800) << qint64(382300)
                                << 0 << 69 << 31;

        AssessmentRecord healthy = maleRecord(20, 110, 10, 3);
        healthy.statements[24] = healthy.statements[25] = healthy.statements[26] = 1;
        healthy.healthRating = 0;
        QTest::newRow("H = 0") << healthy << 0 << qint64(492500) << qint64(311800) << qint64(180700)
                               << 5 << 49 << 31;

        // A greyed box: 2 points among the complaints, 1 among the good-health signs.
        AssessmentRecord greyed = healthy;
        greyed.statements[0] = 2;
        greyed.statements[26] = 2;
        QTest::newRow("greyed") << greyed << 3 << qint64(514100) << qint64(311800) << qint64(202300)
                                << 5 << 51 << 31;

        AssessmentRecord negative = maleRecord(20, 40, 300, 60);
        negative.statements[24] = negative.statements[25] = negative.statements[26] = 1;
        QTest::newRow("negative age") << negative << 0 << qint64(-182000) << qint64(311800)
                                      << qint64(-493800) << 0 << -19 << 31;

        // No sex chosen is not male; a negative pulse pressure is computed as it is.
        AssessmentRecord inverted = female;
        inverted.systolicPressure = 40;
        inverted.diastolicPressure = 240;
        inverted.healthRating = -1;
        QTest::newRow("female, diastolic above systolic")
            << inverted << 3 << qint64(-675300) << qint64(289200) << qint64(-964500) << 0 << -68
            << 28;
    }
    void compute()
    {
        QFETCH(AssessmentRecord, record);
        QFETCH(int, health);
        QFETCH(qint64, ba);
        QFETCH(qint64, pba);
        QFETCH(qint64, diff);
        QFETCH(int, verdictCase);
        QFETCH(int, wholeBa);
        QFETCH(int, wholePba);

        const AssessmentResult r = ComputeAssessment(record);
        QCOMPARE(r.healthIndex, health);
        QCOMPARE(r.biologicalAge.raw(), ba);
        QCOMPARE(r.properBiologicalAge.raw(), pba);
        QCOMPARE(r.ageDifference.raw(), diff);
        QCOMPARE(r.verdictCase, verdictCase);
        QCOMPARE(r.wholeBiologicalAge(), wholeBa);
        QCOMPARE(r.wholeProperBiologicalAge(), wholePba);
    }

    void verdictText_data()
    {
        QTest::addColumn<AssessmentRecord>("record");
        QTest::addColumn<QString>("text");
        QTest::newRow("faster")
            << AssessmentRecord()
            << QStringLiteral("Ускоренное старение.\r\nФизически Вы чувствуете себя гораздо "
                              "старше, чем есть на самом деле. Уделите внимание своему "
                              "здоровью, ему еще рано подводить Вас столь заметно.");
        QTest::newRow("slower")
            << maleRecord(40, 50, 33, 3)
            << QStringLiteral("Замедленное старение.\r\nФизически Вы чувствуете себя гораздо "
                              "моложе ровесников. Это очень хорошо, т.к. является признаком "
                              "неплохого здоровья.");
        AssessmentRecord female;
        female.sex = Sex::Female;
        QTest::newRow("matching")
            << female
            << QStringLiteral("Соответствие биологического возраста календарному.\r\n"
                              "Физически Вы чувствуете себя ровно на столько сколько Вам и "
                              "есть на самом деле. У Вас нормальное (среднестатистическое) "
                              "для Вашего возраста здоровье.");
        QTest::newRow("none") << maleRecord(40, 230, 37, 3)
                              << QStringLiteral(
                                     "Нет описания.\r\nВы уверены, что правильно ввели данные?");
    }
    void verdictText()
    {
        QFETCH(AssessmentRecord, record);
        QFETCH(QString, text);
        QCOMPARE(ComputeAssessment(record).verdictText, text);
    }

    void recordTexts()
    {
        const QStringList& statements = AssessmentRecord::statementTexts();
        QCOMPARE(statements.size(), AssessmentRecord::StatementCount);
        QCOMPARE(statements.first(), QStringLiteral("Меня беспокоит головная боль"));
        QCOMPARE(statements.at(23), QStringLiteral("Я стал(а) плаксивым (плаксивой)"));
        QCOMPARE(statements.last(),
                 QStringLiteral(
                     "Бывают периоды, когда я чувствую себя радостно возбужденным, счастливым"));
        QCOMPARE(AssessmentRecord::ratingTexts(),
                 QStringList({QStringLiteral("хорошее"), QStringLiteral("удовлетворительное"),
                              QStringLiteral("плохое"), QStringLiteral("очень плохое")}));
    }
};

QTEST_GUILESS_MAIN(TestAssessment)
#include "tst_assessment.moc"
