#pragma once

#include "core/assessment/AssessmentRecord.h"
#include "core/assessment/AssessmentResult.h"

// Health index, biological age (Voitenko), proper biological age and the verdict. Pure.
AssessmentResult ComputeAssessment(const AssessmentRecord& record);

// The verdict case 0..5 of an age difference; its boundaries are decided on exact values.
int VerdictCase(FixedPoint ageDifference);
// The verdict's title ("Ускоренное старение."); cases 1 and 2, and 4 and 5, share one.
QString VerdictTitle(int verdictCase);

// How many years the proper biological age grows in one calendar year, by sex.
double ProperAgePerYear(Sex sex);
