#include "core/history/HistoryEntry.h"

#include <algorithm>

HistoryEntry HistoryEntry::fromAssessment(const QString& profileName,
                                          const AssessmentRecord& inputs,
                                          const AssessmentResult& result, const QDateTime& at)
{
    HistoryEntry e;
    e.recordedAt = at.toUTC();
    e.profileName = profileName;
    e.inputs = inputs;
    e.healthIndex = result.healthIndex;
    e.biologicalAge = result.biologicalAge;
    e.properBiologicalAge = result.properBiologicalAge;
    e.ageDifference = result.ageDifference;
    e.verdictCase = result.verdictCase;
    return e;
}

bool HistoryEntry::isValid() const
{
    const auto& s = inputs.statements;
    return recordedAt.isValid() &&
           std::all_of(s.begin(), s.end(), [](int v) { return v >= 0 && v <= 2; }) &&
           inputs.healthRating >= -1 && inputs.healthRating <= 3 && verdictCase >= 0 &&
           verdictCase <= 5 && ageDifference == biologicalAge - properBiologicalAge;
}
