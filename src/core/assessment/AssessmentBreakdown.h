#pragma once

#include "core/assessment/AssessmentRecord.h"
#include "core/assessment/AssessmentResult.h"
#include "core/assessment/FixedPoint.h"

#include <QString>
#include <QVector>

enum class BreakdownInput
{
    Constant,
    HealthIndex,
    SystolicPressure, // men
    PulsePressure,    // women: systolic minus diastolic
    BreathHold,       // men
    Balance,
    BodyMass // women
};

// One term of the biological-age formula.
struct BreakdownTerm
{
    BreakdownInput input = BreakdownInput::Constant;
    QString title;           // "Задержка дыхания"
    QString valueText;       // "10 сек"; empty for the constant
    qint64 value = 1;        // the input in its own unit; 1 for the constant
    FixedPoint coefficient;  // years per unit, signed
    FixedPoint contribution; // value × coefficient, exact
    QString formula;         // "10 × (−0,15) = −1,5"
};

// What one realistic step of an input the person can change does to the biological age.
struct StepHint
{
    BreakdownInput input = BreakdownInput::Constant;
    int step = 0; // in the input's unit, signed: +10 сек, −10 мм рт. ст., −1 жалоба
    FixedPoint change;     // biological age after the step minus before
    int verdictCase = 0;   // after the step
    bool verdictChanges{}; // the verdict's title after the step is another one
    QString text;          // "+10 сек задержки дыхания: −1,5 года"
    QString shortText;     // "+10 → −1,5", for a column beside the input's own value
};

// Every term of the formula that applies to the person's sex, with contributions that add up
// exactly to the biological age, the proper age it is compared with, and the step hints.
class AssessmentBreakdown
{
public:
    explicit AssessmentBreakdown(const AssessmentRecord& record);

    const AssessmentRecord& record() const { return m_record; }
    const AssessmentResult& result() const { return m_result; }
    const QVector<BreakdownTerm>& terms() const { return m_terms; }
    // The sum of the contributions: the biological age.
    FixedPoint total() const;
    // The proper age worked out exactly and its formula ("20 × 0,629 + 18,6").
    FixedPoint properAge() const { return m_properAge; }
    const QString& properAgeFormula() const { return m_properAgeFormula; }

    // One line telling that the lower pressure is not below the upper one (the formula takes
    // such pressures as they are, which for a woman gives a negative pulse pressure); empty
    // while the lower pressure is below the upper.
    QString pressureWarning() const;

    // In the order of the terms; an input without a step that stays in its range has none.
    const QVector<StepHint>& steps() const { return m_steps; }
    const StepHint* stepFor(BreakdownInput input) const;

private:
    void addTerm(BreakdownInput input, const QString& title, const QString& valueText, qint64 value,
                 qint64 coefficientRaw, const QString& valueInFormula = {});
    void addStep(BreakdownInput input, const AssessmentRecord& changed, int step,
                 const QString& what);
    void addSteps();
    // Moves one input by `wanted` (signed), shortened so as not to pass `bound`.
    void addBoundedStep(BreakdownInput input, int AssessmentRecord::*field, int wanted, int bound,
                        const char* what);

    AssessmentRecord m_record;
    AssessmentResult m_result;
    QVector<BreakdownTerm> m_terms;
    FixedPoint m_properAge;
    QString m_properAgeFormula;
    QVector<StepHint> m_steps;
};
