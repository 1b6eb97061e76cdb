#pragma once

#include "core/profiles/ProfileInputs.h"

#include <QString>

// Inputs as one comparable line: "S2=20 S3=65 S4=11 S5=8 S6=10 S7=3 O1=False O0=True K=000…0 R=1"
// (S slider, O option, K statements, R rating; "-" for an absent input). QCOMPARE prints
// ProfileInputs this way.
QString describe(const ProfileInputs& inputs);
// Only the inputs that are present, statements one by one: "S2=33 K0=1".
QString describePresent(const ProfileInputs& inputs);
char* toString(const ProfileInputs& inputs);

// The inputs of a fresh main window.
ProfileInputs startInputs();
// Start inputs with the statements given as digits ("0" not marked, "1" marked, "2" greyed).
ProfileInputs withStatements(ProfileInputs inputs, const char* digits);
// Every input given: slider positions (age, mass, systolic, diastolic, breath-holding, balance),
// the two options, the statements as digits and the rating.
ProfileInputs fullInputs(int age, int mass, int systolic, int diastolic, int breath, int balance,
                         bool female, bool male, const char* statements, int rating);
