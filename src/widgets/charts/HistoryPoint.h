#pragma once

#include "core/assessment/FixedPoint.h"

#include <QDateTime>

// One recorded calculation as the history chart shows it.
struct HistoryPoint
{
    QDateTime when;
    FixedPoint biologicalAge;
    FixedPoint properAge;
    int calendarAge = 0;
};
