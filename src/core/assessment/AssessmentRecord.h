#pragma once

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
    int calendarAge = 20;                         // years, 5..90
    int bodyMass = 65;                            // kg, 10..200
    int systolicPressure = 110;                   // mmHg, 40..360 in steps of 10
    int diastolicPressure = 80;                   // mmHg, 40..240 in steps of 10
    int breathHold = 10;                          // seconds, 5..300
    int balance = 3;                              // seconds, 1..60
    std::array<int, StatementCount> statements{}; // 0 not marked, 1 marked, 2 greyed
    int healthRating = 1;                         // 0..3, -1 for no selection

    // The 27 statement texts in index order, and the four self-rating texts, in the
    // interface's language.
    static QStringList statementTexts();
    static QStringList ratingTexts();
    // "Состояние своего здоровья оцениваю как"
    static QString ratingCaption();
};
