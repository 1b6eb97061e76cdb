#pragma once

#include "core/assessment/AssessmentRecord.h"

// A man's record that differs from the defaults in the inputs his formula reads.
AssessmentRecord maleRecord(int age, int systolic, int breathHold, int balance);
// The record as one comparable line: "male 20 65 110/80 10 3 000…0 1" (sex, age, mass,
// pressures, breath-holding, balance, the statements' digits, the rating).
QString describe(const AssessmentRecord& r);
