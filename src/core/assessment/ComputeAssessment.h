#pragma once

#include "core/assessment/AssessmentRecord.h"
#include "core/assessment/AssessmentResult.h"

// Health index, biological age (Voitenko), proper biological age and the verdict. Pure.
AssessmentResult ComputeAssessment(const AssessmentRecord& record);
