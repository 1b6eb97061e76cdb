#include "core/profiles/ProfileKeys.h"

const QList<ProfileKeys::Key>& ProfileKeys::all()
{
    static const QList<Key> keys = [] {
        QList<Key> k = {
            {14, Kind::Slider, &ProfileInputs::systolic},
            {15, Kind::Slider, &ProfileInputs::diastolic},
            {16, Kind::Slider, &ProfileInputs::breathHold},
            {17, Kind::Slider, &ProfileInputs::balance},
            {27, Kind::Option, nullptr, &ProfileInputs::female},
            {28, Kind::Option, nullptr, &ProfileInputs::male},
            {30, Kind::Slider, &ProfileInputs::calendarAge},
            {31, Kind::Slider, &ProfileInputs::bodyMass},
        };
        for (int s = 0; s < AssessmentRecord::StatementCount; ++s)
            k.append({39 + s, Kind::Statement, nullptr, nullptr, s});
        k.append({66, Kind::Rating, &ProfileInputs::healthRating});
        return k;
    }();
    return keys;
}
