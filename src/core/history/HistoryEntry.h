#pragma once

#include "core/assessment/AssessmentRecord.h"
#include "core/assessment/AssessmentResult.h"
#include "core/assessment/FixedPoint.h"

#include <QDateTime>
#include <QString>

// One recorded calculation: when, for which profile name, every input and the result.
struct HistoryEntry
{
    qint64 id = 0;        // given by the store; 0 until stored
    QDateTime recordedAt; // UTC, millisecond precision
    QString profileName;  // exactly as the caller recorded it
    AssessmentRecord inputs;
    int healthIndex = 0;
    FixedPoint biologicalAge;
    FixedPoint properBiologicalAge;
    FixedPoint ageDifference; // biologicalAge - properBiologicalAge
    int verdictCase = 0;      // 0..5

    static HistoryEntry fromAssessment(const QString& profileName, const AssessmentRecord& inputs,
                                       const AssessmentResult& result,
                                       const QDateTime& at = QDateTime::currentDateTimeUtc());

    // What the store accepts: a valid time, check states 0..2, a rating -1..3, a verdict case
    // 0..5 and a difference that is exactly the two ages' difference.
    bool isValid() const;
};
