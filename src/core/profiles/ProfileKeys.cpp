#include "core/profiles/ProfileKeys.h"

namespace {

ProfileKeys::Key slider(int number, const InputRange& range)
{
    ProfileKeys::Key key{number, ProfileKeys::Kind::Slider, ProfileInputs::position(range.id)};
    key.input = range.id;
    return key;
}

} // namespace

const QList<ProfileKeys::Key>& ProfileKeys::all()
{
    static const QList<Key> keys = [] {
        QList<Key> k = {
            slider(14, InputRanges::SystolicPressure),
            slider(15, InputRanges::DiastolicPressure),
            slider(16, InputRanges::BreathHold),
            slider(17, InputRanges::Balance),
            {27, Kind::Option, nullptr, &ProfileInputs::female},
            {28, Kind::Option, nullptr, &ProfileInputs::male},
            slider(30, InputRanges::CalendarAge),
            slider(31, InputRanges::BodyMass),
        };
        for (int s = 0; s < AssessmentRecord::StatementCount; ++s)
            k.append({39 + s, Kind::Statement, nullptr, nullptr, s});
        k.append({66, Kind::Rating, &ProfileInputs::healthRating});
        return k;
    }();
    return keys;
}
