#pragma once

#include "core/assessment/AssessmentRecord.h"
#include "core/assessment/InputRange.h"

#include <array>
#include <optional>

// The inputs a profile keeps, as the main window's controls hold them. Each one is optional:
// an input that a stored profile does not hold (no key, or a text no control takes) is absent,
// and loading the profile leaves that control as it is. A snapshot of the window holds them all.
struct ProfileInputs
{
    std::optional<int> systolic;    // slider position, tens of mmHg
    std::optional<int> diastolic;   // slider position, tens of mmHg
    std::optional<int> breathHold;  // seconds
    std::optional<int> balance;     // seconds
    std::optional<bool> female;     // the female option is selected
    std::optional<bool> male;       // the male option is selected; a profile may hold neither
    std::optional<int> calendarAge; // years
    std::optional<int> bodyMass;    // kg
    // 0 not marked, 1 marked, 2 greyed.
    std::array<std::optional<int>, AssessmentRecord::StatementCount> statements;
    std::optional<int> healthRating; // index in the self-rating list

    bool operator==(const ProfileInputs& o) const
    {
        return systolic == o.systolic && diastolic == o.diastolic && breathHold == o.breathHold &&
               balance == o.balance && female == o.female && male == o.male &&
               calendarAge == o.calendarAge && bodyMass == o.bodyMass &&
               statements == o.statements && healthRating == o.healthRating;
    }
    bool operator!=(const ProfileInputs& o) const { return !(*this == o); }

    // Where a slider input's position is kept.
    static std::optional<int> ProfileInputs::*position(InputId id);

    // The assessment's inputs in their own units: the pressures in mmHg, the sex female unless
    // the male option is selected. An absent input takes the window's start value.
    AssessmentRecord record() const;
};
