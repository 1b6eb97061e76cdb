#include "core/assessment/AssessmentBreakdown.h"

#include "core/assessment/ComputeAssessment.h"
#include "core/assessment/InputRange.h"
#include "core/assessment/YearsString.h"

#include <QCoreApplication>

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
    return QCoreApplication::translate("AssessmentBreakdown", "%1 мм рт. ст.")
        .arg(DecimalString(FixedPoint::fromInt(mmHg)));
}

QString secondsText(qint64 seconds)
{
    return QCoreApplication::translate("AssessmentBreakdown", "%1 сек").arg(seconds);
}

QString termTitle(const char* text)
{
    return QCoreApplication::translate("AssessmentBreakdown", text);
}

// The proper age's formula: "40 × 0,629 + 18,6".
QString properAgeFormulaText(int age, qint64 factorRaw, qint64 offsetRaw)
{
    return QString::number(age) + QStringLiteral(" × ") +
           DecimalString(FixedPoint::fromRaw(factorRaw)) + QStringLiteral(" + ") +
           DecimalString(FixedPoint::fromRaw(offsetRaw));
}

} // namespace

AssessmentBreakdown::AssessmentBreakdown(const AssessmentRecord& record)
    : m_record(record), m_result(ComputeAssessment(record))
{
    const int h = m_result.healthIndex;
    const int age = record.calendarAge;
    qint64 properRaw = 0;
    if (record.sex == Sex::Male) {
        addTerm(BreakdownInput::Constant,
                termTitle(QT_TRANSLATE_NOOP("AssessmentBreakdown", "Постоянная")), QString(), 1,
                270000);
        addTerm(BreakdownInput::HealthIndex,
                termTitle(QT_TRANSLATE_NOOP("AssessmentBreakdown", "Индекс здоровья")),
                QString::number(h), h, 7200);
        addTerm(BreakdownInput::SystolicPressure,
                termTitle(QT_TRANSLATE_NOOP("AssessmentBreakdown", "Верхнее давление")),
                pressureText(record.systolicPressure), record.systolicPressure, 2200);
        addTerm(BreakdownInput::BreathHold,
                termTitle(QT_TRANSLATE_NOOP("AssessmentBreakdown", "Задержка дыхания")),
                secondsText(record.breathHold), record.breathHold, -1500);
        addTerm(BreakdownInput::Balance,
                termTitle(QT_TRANSLATE_NOOP("AssessmentBreakdown", "Стойка на одной ноге")),
                secondsText(record.balance), record.balance, -1500);
        properRaw = qint64(age) * 6290 + 186000;
        m_properAgeFormula = properAgeFormulaText(age, 6290, 186000);
    } else {
        const qint64 pulse = qint64(record.systolicPressure) - record.diastolicPressure;
        addTerm(BreakdownInput::Constant,
                termTitle(QT_TRANSLATE_NOOP("AssessmentBreakdown", "Постоянная")), QString(), 1,
                -14600);
        addTerm(BreakdownInput::HealthIndex,
                termTitle(QT_TRANSLATE_NOOP("AssessmentBreakdown", "Индекс здоровья")),
                QString::number(h), h, 7000);
        addTerm(BreakdownInput::PulsePressure,
                termTitle(QT_TRANSLATE_NOOP("AssessmentBreakdown", "Пульсовое давление")),
                pressureText(pulse), pulse, 4200,
                QStringLiteral("(%1 %2 %3)")
                    .arg(record.systolicPressure)
                    .arg(Minus)
                    .arg(record.diastolicPressure));
        addTerm(BreakdownInput::BodyMass,
                termTitle(QT_TRANSLATE_NOOP("AssessmentBreakdown", "Масса тела")),
                QCoreApplication::translate("AssessmentBreakdown", "%1 кг").arg(record.bodyMass),
                record.bodyMass, 2500);
        addTerm(BreakdownInput::Balance,
                termTitle(QT_TRANSLATE_NOOP("AssessmentBreakdown", "Стойка на одной ноге")),
                secondsText(record.balance), record.balance, -1400);
        properRaw = qint64(age) * 5810 + 173000;
        m_properAgeFormula = properAgeFormulaText(age, 5810, 173000);
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

QString AssessmentBreakdown::pressureWarning() const
{
    if (m_record.diastolicPressure < m_record.systolicPressure)
        return QString();
    return QCoreApplication::translate("AssessmentBreakdown",
                                       "Нижнее давление (%1) не ниже верхнего (%2): проверьте "
                                       "введённое давление.")
        .arg(m_record.diastolicPressure)
        .arg(m_record.systolicPressure);
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
                    QCoreApplication::translate("AssessmentBreakdown", "На одну жалобу меньше"));
            break;
        }
    }

    // Pressures move in tens, so the room above the lower bound is a whole step or none.
    const int lowestSystolic = qMax(MinSystolic, r.diastolicPressure);
    if (r.sex == Sex::Male) {
        addBoundedStep(BreakdownInput::SystolicPressure, &AssessmentRecord::systolicPressure, -10,
                       lowestSystolic,
                       QT_TRANSLATE_NOOP("AssessmentBreakdown", "%1 мм рт. ст. верхнего давления"));
        addBoundedStep(BreakdownInput::BreathHold, &AssessmentRecord::breathHold, 10, MaxBreathHold,
                       QT_TRANSLATE_NOOP("AssessmentBreakdown", "%1 сек задержки дыхания"));
    } else {
        addBoundedStep(
            BreakdownInput::PulsePressure, &AssessmentRecord::systolicPressure, -10, lowestSystolic,
            QT_TRANSLATE_NOOP("AssessmentBreakdown", "%1 мм рт. ст. пульсового давления"));
        addBoundedStep(BreakdownInput::BodyMass, &AssessmentRecord::bodyMass, -5, MinBodyMass,
                       QT_TRANSLATE_NOOP("AssessmentBreakdown", "%1 кг массы тела"));
    }
    addBoundedStep(BreakdownInput::Balance, &AssessmentRecord::balance, 5, MaxBalance,
                   QT_TRANSLATE_NOOP("AssessmentBreakdown", "%1 сек на одной ноге"));
}

void AssessmentBreakdown::addBoundedStep(BreakdownInput input, int AssessmentRecord::*field,
                                         int wanted, int bound, const char* what)
{
    const int room = wanted > 0 ? bound - m_record.*field : m_record.*field - bound;
    const int size = qMin(qAbs(wanted), room);
    if (size <= 0)
        return;
    const int step = wanted > 0 ? size : -size;
    AssessmentRecord changed = m_record;
    changed.*field += step;
    addStep(input, changed, step,
            QCoreApplication::translate("AssessmentBreakdown", what).arg(whole(step)));
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
        hint.text += QCoreApplication::translate("AssessmentBreakdown", "; вывод: «%1»").arg(title);
    hint.shortText =
        whole(step) + QStringLiteral(" → ") + DecimalString(hint.change, SignStyle::Explicit);
    m_steps.append(hint);
}
