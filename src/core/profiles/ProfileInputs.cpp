#include "core/profiles/ProfileInputs.h"

std::optional<int> ProfileInputs::*ProfileInputs::position(InputId id)
{
    switch (id) {
    case InputId::CalendarAge:
        return &ProfileInputs::calendarAge;
    case InputId::BodyMass:
        return &ProfileInputs::bodyMass;
    case InputId::SystolicPressure:
        return &ProfileInputs::systolic;
    case InputId::DiastolicPressure:
        return &ProfileInputs::diastolic;
    case InputId::BreathHold:
        return &ProfileInputs::breathHold;
    case InputId::Balance:
        return &ProfileInputs::balance;
    }
    Q_UNREACHABLE();
}

AssessmentRecord ProfileInputs::record() const
{
    const auto value = [this](const InputRange& range) {
        return range.value((this->*position(range.id)).value_or(range.start));
    };
    AssessmentRecord r;
    r.sex = male.value_or(false) ? Sex::Male : Sex::Female;
    r.calendarAge = value(InputRanges::CalendarAge);
    r.bodyMass = value(InputRanges::BodyMass);
    r.systolicPressure = value(InputRanges::SystolicPressure);
    r.diastolicPressure = value(InputRanges::DiastolicPressure);
    r.breathHold = value(InputRanges::BreathHold);
    r.balance = value(InputRanges::Balance);
    for (size_t i = 0; i < statements.size(); ++i)
        r.statements[i] = statements[i].value_or(0);
    r.healthRating = healthRating.value_or(r.healthRating);
    return r;
}
