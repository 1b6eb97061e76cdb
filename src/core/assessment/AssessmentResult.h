#pragma once

#include "core/assessment/FixedPoint.h"

#include <QString>

struct AssessmentResult
{
    int healthIndex = 0;
    FixedPoint biologicalAge;
    FixedPoint properBiologicalAge;
    FixedPoint ageDifference; // biologicalAge - properBiologicalAge, exact
    int verdictCase = 0;      // 0..5
    QString verdictText;      // title, CR LF, explanation

    // Whole ages for display, rounded down.
    int wholeBiologicalAge() const { return static_cast<int>(biologicalAge.floor()); }
    int wholeProperBiologicalAge() const { return static_cast<int>(properBiologicalAge.floor()); }
};
