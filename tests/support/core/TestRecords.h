#pragma once

#include "core/assessment/AssessmentRecord.h"

// A man's record that differs from the defaults in the inputs his formula reads.
AssessmentRecord maleRecord(int age, int systolic, int breathHold, int balance);
