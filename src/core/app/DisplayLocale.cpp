#include "core/app/DisplayLocale.h"

#include <QDateTime>

namespace {

struct State
{
    UiLanguage language = UiLanguage::Russian;
    QLocale locale{QLocale::Russian, QLocale::Russia};
};

State& state()
{
    static State s;
    return s;
}

// The locale's short date format with the year as wide as asked ("yy" or "yyyy").
QString dateFormat(const QLocale& locale, const QString& year)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype at = format.indexOf(QLatin1Char('y'));
    if (at < 0)
        return format;
    qsizetype end = at;
    while (end < format.size() && format.at(end) == QLatin1Char('y'))
        ++end;
    return format.replace(at, end - at, year);
}

} // namespace

void DisplayLocale::set(UiLanguage language, const QLocale& locale)
{
    state() = State{language, locale};
    QLocale::setDefault(locale);
}

UiLanguage DisplayLocale::language()
{
    return state().language;
}

QLocale DisplayLocale::locale()
{
    return state().locale;
}

QChar DisplayLocale::decimalPoint()
{
    if (isRussian())
        return QLatin1Char(',');
    const QString point = state().locale.decimalPoint();
    return point.size() == 1 ? point.at(0) : QLatin1Char('.');
}

QString DisplayLocale::compactDate(const QDate& date)
{
    if (isRussian())
        return date.toString(QStringLiteral("dd.MM.yy"));
    return state().locale.toString(date, dateFormat(state().locale, QStringLiteral("yy")));
}

QString DisplayLocale::dateTime(const QDateTime& when, bool withSeconds)
{
    const QDateTime local = when.toLocalTime();
    if (isRussian())
        return local.toString(withSeconds ? QStringLiteral("dd.MM.yyyy HH:mm:ss")
                                          : QStringLiteral("dd.MM.yyyy HH:mm"));
    const QLocale& locale = state().locale;
    QString time = locale.timeFormat(QLocale::ShortFormat);
    if (withSeconds && !time.contains(QLatin1Char('s')))
        time.replace(QStringLiteral("mm"), QStringLiteral("mm:ss"));
    return locale.toString(local,
                           dateFormat(locale, QStringLiteral("yyyy")) + QLatin1Char(' ') + time);
}
