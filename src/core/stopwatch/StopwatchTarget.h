#pragma once

// What a stopwatch reading is taken for: free use, or one of the two timed tests, whose
// input receives the reading.
enum class StopwatchTarget
{
    None,
    BreathHold,
    Balance
};
