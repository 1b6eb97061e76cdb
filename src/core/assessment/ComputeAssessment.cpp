#include "core/assessment/ComputeAssessment.h"

#include <QCoreApplication>

namespace {

int healthIndex(const AssessmentRecord& record)
{
    int h = 0;
    for (int i = 0; i < AssessmentRecord::StatementCount; ++i) {
        const int v = record.statements[static_cast<size_t>(i)];
        if (i <= 23)
            h += v; // a complaint; a greyed box (2) counts twice
        else if (v != 1)
            h += 1; // a sign of good health that is missing
    }
    if (record.healthRating > 1)
        h += 1;
    return h;
}

struct Verdict
{
    const char* title;
    const char* explanation;
};

const Verdict& verdictFor(int verdictCase)
{
    static const Verdict none{
        QT_TRANSLATE_NOOP("Verdict", "Нет описания."),
        QT_TRANSLATE_NOOP("Verdict", "Вы уверены, что правильно ввели данные?")};
    static const Verdict slower{
        QT_TRANSLATE_NOOP("Verdict", "Замедленное старение."),
        QT_TRANSLATE_NOOP("Verdict",
                          "Физически Вы чувствуете себя гораздо моложе ровесников. Это очень "
                          "хорошо, т.к. является признаком неплохого здоровья.")};
    static const Verdict matching{
        QT_TRANSLATE_NOOP("Verdict", "Соответствие биологического возраста календарному."),
        QT_TRANSLATE_NOOP("Verdict",
                          "Физически Вы чувствуете себя ровно на столько сколько Вам и есть на "
                          "самом деле. У Вас нормальное (среднестатистическое) для Вашего "
                          "возраста здоровье.")};
    static const Verdict faster{
        QT_TRANSLATE_NOOP("Verdict", "Ускоренное старение."),
        QT_TRANSLATE_NOOP("Verdict",
                          "Физически Вы чувствуете себя гораздо старше, чем есть на самом деле. "
                          "Уделите внимание своему здоровью, ему еще рано подводить Вас столь "
                          "заметно.")};
    switch (verdictCase) {
    case 1:
    case 2:
        return slower;
    case 3:
        return matching;
    case 4:
    case 5:
        return faster;
    default:
        return none;
    }
}

} // namespace

// Decided on exact ten-thousandths so that a boundary such as 9.000 is never missed by a
// representation error of the doubles.
int VerdictCase(FixedPoint ageDifference)
{
    const qint64 v = ageDifference.raw();
    int c = 0;
    if (v >= -300000 && v <= -90000)
        c = 1;
    if (v > -90000 && v <= -30000)
        c = 2;
    if (v > -30000 && v < 30000)
        c = 3;
    if (v >= 30000 && v < 90000)
        c = 4;
    if (v >= 90000 && v < 300000)
        c = 5;
    return c;
}

QString VerdictTitle(int verdictCase)
{
    return QCoreApplication::translate("Verdict", verdictFor(verdictCase).title);
}

double ProperAgePerYear(Sex sex)
{
    return sex == Sex::Male ? 0.629 : 0.581;
}

AssessmentResult ComputeAssessment(const AssessmentRecord& record)
{
    AssessmentResult result;
    result.healthIndex = healthIndex(record);

    const double h = result.healthIndex;
    const double sbp = record.systolicPressure;
    const double bh = record.breathHold;
    const double bal = record.balance;
    const double age = record.calendarAge;
    double ba = 0.0;
    double pba = 0.0;
    if (record.sex == Sex::Male) {
        ba = ((h * 0.72) + ((sbp * 0.22 + 27.0) - bh * 0.15)) - bal * 0.15;
        pba = age * ProperAgePerYear(Sex::Male) + 18.6;
    } else {
        const double pp = static_cast<qint64>(record.systolicPressure) - record.diastolicPressure;
        const double mass = record.bodyMass;
        ba = ((h * 0.7) + ((pp * 0.42 - 1.46) + mass * 0.25)) - bal * 0.14;
        pba = age * ProperAgePerYear(Sex::Female) + 17.3;
    }

    result.biologicalAge = FixedPoint::fromDouble(ba);
    result.properBiologicalAge = FixedPoint::fromDouble(pba);
    result.ageDifference = result.biologicalAge - result.properBiologicalAge;
    result.verdictCase = VerdictCase(result.ageDifference);
    const Verdict& verdict = verdictFor(result.verdictCase);
    result.verdictText = QCoreApplication::translate("Verdict", verdict.title) +
                         QStringLiteral("\r\n") +
                         QCoreApplication::translate("Verdict", verdict.explanation);
    return result;
}
