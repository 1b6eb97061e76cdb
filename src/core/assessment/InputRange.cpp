#include "core/assessment/InputRange.h"

const QList<InputRange>& InputRanges::all()
{
    static const QList<InputRange> ranges = {CalendarAge,       BodyMass,   SystolicPressure,
                                             DiastolicPressure, BreathHold, Balance};
    return ranges;
}

const InputRange& InputRanges::of(InputId id)
{
    for (const InputRange& range : all()) {
        if (range.id == id)
            return range;
    }
    Q_UNREACHABLE();
}
