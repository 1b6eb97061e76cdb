#pragma once

#include "core/app/UiLanguage.h"

#include <QLocale>

class QDate;
class QDateTime;

// The one place that says in which language and locale the interface writes its texts, numbers
// and dates. Russian with the Russian conventions until the program chooses otherwise at
// start-up. Only what is shown or printed follows it; what is stored stays locale-free.
class DisplayLocale
{
public:
    // Also makes the locale Qt's default, so Qt's own widgets follow it.
    static void set(UiLanguage language, const QLocale& locale);

    static UiLanguage language();
    static bool isRussian() { return language() == UiLanguage::Russian; }
    static QLocale locale();

    // ',' in Russian, the locale's own in English.
    static QChar decimalPoint();
    // A date with a two-digit year, for the charts' axes: 01.02.26, 2/1/26, 01/02/26.
    static QString compactDate(const QDate& date);
    // A date with the local time of day: 01.02.2026 13:05, 2/1/2026 1:05 PM, 01/02/2026 13:05;
    // with the seconds where two times in one minute must be told apart.
    static QString dateTime(const QDateTime& when, bool withSeconds = false);
};
