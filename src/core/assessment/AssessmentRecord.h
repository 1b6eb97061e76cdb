#pragma once

#include "core/assessment/InputRange.h"

#include <QStringList>

#include <array>

enum class Sex
{
    Male,
    Female
};

// All inputs of one assessment. Pressures are in mmHg (the sliders hold tens of mmHg).
struct AssessmentRecord
{
    static constexpr int StatementCount = 27;

    Sex sex = Sex::Male;
    // The window's start values; the ranges are in InputRanges.
    int calendarAge = InputRanges::CalendarAge.startValue();             // years
    int bodyMass = InputRanges::BodyMass.startValue();                   // kg
    int systolicPressure = InputRanges::SystolicPressure.startValue();   // mmHg
    int diastolicPressure = InputRanges::DiastolicPressure.startValue(); // mmHg
    int breathHold = InputRanges::BreathHold.startValue();               // seconds
    int balance = InputRanges::Balance.startValue();                     // seconds
    std::array<int, StatementCount> statements{}; // 0 not marked, 1 marked, 2 greyed
    int healthRating = 1;                         // 0..3, -1 for no selection

    // The 27 statement texts in index order, and the four self-rating texts, in the
    // interface's language.
    static QStringList statementTexts();
    static QStringList ratingTexts();
    // "Состояние своего здоровья оцениваю как"
    static QString ratingCaption();
};
