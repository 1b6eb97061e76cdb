#pragma once

#include "core/assessment/AssessmentRecord.h"
#include "core/assessment/AssessmentResult.h"
#include "core/history/AgingPace.h"
#include "widgets/charts/HistoryPoint.h"

#include <QDateTime>
#include <QString>
#include <QVector>

// What one report shows: a calculation, when it was made, for whom, and the profile's history.
struct ReportContent
{
    QDateTime calculatedAt; // shown in local time
    QString profileName;    // as shown ("без имени" for a blank profile box)
    AssessmentRecord record;
    AssessmentResult result;
    QVector<HistoryPoint> history; // empty: the page has no chart
    AgingPace pace;                // of the history, shown under its chart
};
