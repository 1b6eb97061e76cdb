#pragma once

#include "assessment/AssessmentRecord.h"
#include "assessment/AssessmentResult.h"

// Health index, biological age (Voitenko), proper biological age and the verdict. Pure.
AssessmentResult ComputeAssessment(const AssessmentRecord& record);
