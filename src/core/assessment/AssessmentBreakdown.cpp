#include "core/assessment/AssessmentBreakdown.h"

#include "core/assessment/ComputeAssessment.h"
#include "core/assessment/InputRange.h"
#include "core/assessment/YearsString.h"

// The contributions are whole ten-thousandths: every input is a whole number and every
// coefficient has at most two decimals (the proper age's at most three), so each term, and
// the formula's exact value, has at most three decimals. ComputeAssessment evaluates the same
// formula in doubles, whose error stays many orders below half a ten-thousandth, and rounds
// to ten-thousandths: that recovers the exact value. The integer sum of the terms is that same
// exact value, so the contributions add up to the biological age to the last digit.

namespace {

constexpr int MinSystolic = InputRanges::SystolicPressure.minimumValue();
constexpr int MaxBreathHold = InputRanges::BreathHold.maximumValue();
constexpr int MaxBalance = InputRanges::Balance.maximumValue();
constexpr int MinBodyMass = InputRanges::BodyMass.minimumValue();
constexpr int ComplaintCount = 24;

const QChar Minus(0x2212);

QString whole(qint64 value)
{
    return DecimalString(FixedPoint::fromInt(value), SignStyle::Explicit);
}

QString pressureText(qint64 mmHg)
{
    return DecimalString(FixedPoint::fromInt(mmHg)) + QStringLiteral(" мм рт. ст.");
}

} // namespace

AssessmentBreakdown::AssessmentBreakdown(const AssessmentRecord& record)
    : m_record(record), m_result(ComputeAssessment(record))
{
    const int h = m_result.healthIndex;
    const int age = record.calendarAge;
    qint64 properRaw = 0;
    if (record.sex == Sex::Male) {
        addTerm(BreakdownInput::Constant, QStringLiteral("Постоянная"), QString(), 1, 270000);
        addTerm(BreakdownInput::HealthIndex, QStringLiteral("Индекс здоровья"), QString::number(h),
                h, 7200);
        addTerm(BreakdownInput::SystolicPressure, QStringLiteral("Верхнее давление"),
                pressureText(record.systolicPressure), record.systolicPressure, 2200);
        addTerm(BreakdownInput::BreathHold, QStringLiteral("Задержка дыхания"),
                QString::number(record.breathHold) + QStringLiteral(" сек"), record.breathHold,
                -1500);
        addTerm(BreakdownInput::Balance, QStringLiteral("Стойка на одной ноге"),
                QString::number(record.balance) + QStringLiteral(" сек"), record.balance, -1500);
        properRaw = qint64(age) * 6290 + 186000;
        m_properAgeFormula = QString::number(age) + QStringLiteral(" × 0,629 + 18,6");
    } else {
        const qint64 pulse = qint64(record.systolicPressure) - record.diastolicPressure;
        addTerm(BreakdownInput::Constant, QStringLiteral("Постоянная"), QString(), 1, -14600);
        addTerm(BreakdownInput::HealthIndex, QStringLiteral("Индекс здоровья"), QString::number(h),
                h, 7000);
        addTerm(BreakdownInput::PulsePressure, QStringLiteral("Пульсовое давление"),
                pressureText(pulse), pulse, 4200,
                QStringLiteral("(%1 %2 %3)")
                    .arg(record.systolicPressure)
                    .arg(Minus)
                    .arg(record.diastolicPressure));
        addTerm(BreakdownInput::BodyMass, QStringLiteral("Масса тела"),
                QString::number(record.bodyMass) + QStringLiteral(" кг"), record.bodyMass, 2500);
        addTerm(BreakdownInput::Balance, QStringLiteral("Стойка на одной ноге"),
                QString::number(record.balance) + QStringLiteral(" сек"), record.balance, -1400);
        properRaw = qint64(age) * 5810 + 173000;
        m_properAgeFormula = QString::number(age) + QStringLiteral(" × 0,581 + 17,3");
    }
    m_properAge = FixedPoint::fromRaw(properRaw);
    addSteps();
}

FixedPoint AssessmentBreakdown::total() const
{
    FixedPoint sum;
    for (const BreakdownTerm& term : m_terms)
        sum = sum + term.contribution;
    return sum;
}

const StepHint* AssessmentBreakdown::stepFor(BreakdownInput input) const
{
    for (const StepHint& step : m_steps) {
        if (step.input == input)
            return &step;
    }
    return nullptr;
}

void AssessmentBreakdown::addTerm(BreakdownInput input, const QString& title,
                                  const QString& valueText, qint64 value, qint64 coefficientRaw,
                                  const QString& valueInFormula)
{
    BreakdownTerm term;
    term.input = input;
    term.title = title;
    term.valueText = valueText;
    term.value = value;
    term.coefficient = FixedPoint::fromRaw(coefficientRaw);
    term.contribution = FixedPoint::fromRaw(value * coefficientRaw);
    if (input == BreakdownInput::Constant) {
        term.formula = DecimalString(term.contribution);
    } else {
        QString coefficient = DecimalString(term.coefficient);
        if (coefficientRaw < 0)
            coefficient = QLatin1Char('(') + coefficient + QLatin1Char(')');
        const QString shown =
            valueInFormula.isEmpty() ? DecimalString(FixedPoint::fromInt(value)) : valueInFormula;
        term.formula = shown + QStringLiteral(" × ") + coefficient + QStringLiteral(" = ") +
                       DecimalString(term.contribution);
    }
    m_terms.append(term);
}

// Each step is taken on a copy of the record and the biological age computed again, so the
// hint can never drift from the formula. A step never leaves an input's range: near its end
// the step shrinks, at its end there is no hint. A pressure step never takes the systolic
// pressure below the diastolic one.
void AssessmentBreakdown::addSteps()
{
    const AssessmentRecord& r = m_record;
    for (int i = 0; i < ComplaintCount; ++i) {
        if (r.statements[static_cast<size_t>(i)] == 1) {
            AssessmentRecord changed = r;
            changed.statements[static_cast<size_t>(i)] = 0;
            addStep(BreakdownInput::HealthIndex, changed, -1,
                    QStringLiteral("На одну жалобу меньше"));
            break;
        }
    }

    // Pressures move in tens, so the room above the lower bound is a whole step or none.
    const int lowestSystolic = qMax(MinSystolic, r.diastolicPressure);
    if (r.sex == Sex::Male) {
        addBoundedStep(BreakdownInput::SystolicPressure, &AssessmentRecord::systolicPressure, -10,
                       lowestSystolic, QStringLiteral(" мм рт. ст. верхнего давления"));
        addBoundedStep(BreakdownInput::BreathHold, &AssessmentRecord::breathHold, 10, MaxBreathHold,
                       QStringLiteral(" сек задержки дыхания"));
    } else {
        addBoundedStep(BreakdownInput::PulsePressure, &AssessmentRecord::systolicPressure, -10,
                       lowestSystolic, QStringLiteral(" мм рт. ст. пульсового давления"));
        addBoundedStep(BreakdownInput::BodyMass, &AssessmentRecord::bodyMass, -5, MinBodyMass,
                       QStringLiteral(" кг массы тела"));
    }
    addBoundedStep(BreakdownInput::Balance, &AssessmentRecord::balance, 5, MaxBalance,
                   QStringLiteral(" сек на одной ноге"));
}

void AssessmentBreakdown::addBoundedStep(BreakdownInput input, int AssessmentRecord::*field,
                                         int wanted, int bound, const QString& what)
{
    const int room = wanted > 0 ? bound - m_record.*field : m_record.*field - bound;
    const int size = qMin(qAbs(wanted), room);
    if (size <= 0)
        return;
    const int step = wanted > 0 ? size : -size;
    AssessmentRecord changed = m_record;
    changed.*field += step;
    addStep(input, changed, step, whole(step) + what);
}

void AssessmentBreakdown::addStep(BreakdownInput input, const AssessmentRecord& changed, int step,
                                  const QString& what)
{
    const AssessmentResult after = ComputeAssessment(changed);
    StepHint hint;
    hint.input = input;
    hint.step = step;
    hint.change = after.biologicalAge - m_result.biologicalAge;
    hint.verdictCase = after.verdictCase;
    const QString title = VerdictTitle(after.verdictCase);
    hint.verdictChanges = title != VerdictTitle(m_result.verdictCase);
    hint.text = what + QStringLiteral(": ") + YearsString(hint.change, SignStyle::Explicit);
    if (hint.verdictChanges)
        hint.text += QStringLiteral("; вывод: «") + title + QStringLiteral("»");
    hint.shortText =
        whole(step) + QStringLiteral(" → ") + DecimalString(hint.change, SignStyle::Explicit);
    m_steps.append(hint);
}
