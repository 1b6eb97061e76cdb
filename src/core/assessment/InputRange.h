#pragma once

#include <QList>

// The main window's slider inputs.
enum class InputId
{
    CalendarAge,
    BodyMass,
    SystolicPressure,
    DiastolicPressure,
    BreathHold,
    Balance
};

// The range of one slider input. Positions are what the slider holds and a profile stores;
// the input's value is the position times unit (the pressures move in tens of mmHg).
struct InputRange
{
    InputId id;
    int minimum; // positions
    int maximum;
    int start; // the position the window opens with
    int unit;  // the input's own unit per position

    constexpr int value(int position) const { return position * unit; }
    constexpr int minimumValue() const { return value(minimum); }
    constexpr int maximumValue() const { return value(maximum); }
    constexpr int startValue() const { return value(start); }
};

// Every input's range, default and step: the one place that holds them.
class InputRanges
{
public:
    static constexpr InputRange CalendarAge{InputId::CalendarAge, 5, 90, 20, 1};            // years
    static constexpr InputRange BodyMass{InputId::BodyMass, 10, 200, 65, 1};                // kg
    static constexpr InputRange SystolicPressure{InputId::SystolicPressure, 4, 36, 11, 10}; // mmHg
    static constexpr InputRange DiastolicPressure{InputId::DiastolicPressure, 4, 24, 8, 10};
    static constexpr InputRange BreathHold{InputId::BreathHold, 5, 300, 10, 1}; // seconds
    static constexpr InputRange Balance{InputId::Balance, 1, 60, 3, 1};         // seconds

    static const InputRange& of(InputId id);
    // In the order the window sets its sliders up.
    static const QList<InputRange>& all();
};
