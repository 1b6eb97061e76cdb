#pragma once

#include "core/assessment/AssessmentRecord.h"
#include "core/history/HistoryEntry.h"

#include <QDateTime>
#include <QList>
#include <QString>

// How fast a profile's biological age grows: the least-squares slope of the biological age
// against the record dates, in years a calendar year (365.2425 days), beside the pace the proper
// age has for the profile's sex. Known from three records that span 90 days or more.
//
// The sex is that of the newest record. The two sexes' formulas measure on different scales, so
// records made with the other sex are left out of the slope (and of the count of records).
class AgingPace
{
public:
    enum class Status
    {
        Known,
        TooFewRecords, // fewer than LeastRecords
        TooShortSpan   // enough records, less than LeastDays between the first and the last
    };

    static constexpr int LeastRecords = 3;
    static constexpr int LeastDays = 90;

    AgingPace() = default;
    // The entries in any order; those without a valid time are left out.
    static AgingPace of(const QList<HistoryEntry>& entries);

    Status status() const { return m_status; }
    bool isKnown() const { return m_status == Status::Known; }
    // Years of biological age a calendar year (when known).
    double yearsPerYear() const { return m_slope; }
    // Years of proper age a calendar year for the profile's sex.
    double expectedYearsPerYear() const;
    Sex sex() const { return m_sex; }
    // The records that counted, and how many of the other sex were left out.
    int recordCount() const { return m_count; }
    int otherSexCount() const { return m_otherSex; }
    // The first and last counted records' times.
    QDateTime first() const { return m_first; }
    QDateTime last() const { return m_last; }
    // The trend line's biological age at a moment (when known).
    double trendAt(const QDateTime& when) const;

    // "Темп старения: 0,4 года за год (ожидается 0,63)", or what is missing for it.
    QString text() const;

private:
    Status m_status = Status::TooFewRecords;
    Sex m_sex = Sex::Male;
    int m_count = 0;
    int m_otherSex = 0;
    QDateTime m_first;
    QDateTime m_last;
    double m_slope = 0;
    double m_meanTime = 0; // milliseconds after m_first
    double m_meanYears = 0;
};
