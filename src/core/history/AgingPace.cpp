#include "core/history/AgingPace.h"

#include "core/app/DisplayLocale.h"
#include "core/assessment/ComputeAssessment.h"
#include "core/assessment/RussianPlural.h"
#include "core/assessment/YearsString.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

constexpr double DayMs = 24.0 * 60 * 60 * 1000;
// The mean Gregorian year.
constexpr double YearMs = 365.2425 * DayMs;

// Russian declines the word by the program's own rule; English takes its catalogue's plural
// forms, which follow English rules (1 record, 21 records).
QString counted(qint64 n, const QString& one, const QString& few, const QString& many,
                const QString& english)
{
    if (!DisplayLocale::isRussian())
        return QString::number(n) + QLatin1Char(' ') + english;
    const PluralForm form = RussianPluralForm(n);
    return QString::number(n) + QLatin1Char(' ') +
           (form == PluralForm::One   ? one
            : form == PluralForm::Few ? few
                                      : many);
}

QString records(qint64 n)
{
    const int count = static_cast<int>(n);
    const QString english = QCoreApplication::translate(
        "AgingPace", "записей", "the word after a number of records", count);
    return counted(n, QStringLiteral("запись"), QStringLiteral("записи"), QStringLiteral("записей"),
                   english);
}

QString days(qint64 n)
{
    const int count = static_cast<int>(n);
    const QString english =
        QCoreApplication::translate("AgingPace", "дней", "the word after a number of days", count);
    return counted(n, QStringLiteral("день"), QStringLiteral("дня"), QStringLiteral("дней"),
                   english);
}

} // namespace

AgingPace AgingPace::of(const QList<HistoryEntry>& entries)
{
    AgingPace pace;
    const HistoryEntry* newest = nullptr;
    for (const HistoryEntry& e : entries) {
        if (e.recordedAt.isValid() && (!newest || newest->recordedAt < e.recordedAt))
            newest = &e;
    }
    if (!newest)
        return pace;
    pace.m_sex = newest->inputs.sex;

    QList<const HistoryEntry*> kept;
    for (const HistoryEntry& e : entries) {
        if (!e.recordedAt.isValid())
            continue;
        if (e.inputs.sex == pace.m_sex)
            kept.append(&e);
        else
            ++pace.m_otherSex;
    }
    const auto byTime = [](const HistoryEntry* a, const HistoryEntry* b) {
        return a->recordedAt < b->recordedAt;
    };
    pace.m_count = static_cast<int>(kept.size());
    pace.m_first = (*std::min_element(kept.begin(), kept.end(), byTime))->recordedAt;
    pace.m_last = (*std::max_element(kept.begin(), kept.end(), byTime))->recordedAt;
    if (pace.m_count < LeastRecords) {
        pace.m_status = Status::TooFewRecords;
        return pace;
    }
    if (pace.m_first.msecsTo(pace.m_last) < static_cast<qint64>(LeastDays * DayMs)) {
        pace.m_status = Status::TooShortSpan;
        return pace;
    }

    // Times from the first record, so that the sums keep their precision.
    double sumTime = 0;
    double sumYears = 0;
    for (const HistoryEntry* e : kept) {
        sumTime += static_cast<double>(pace.m_first.msecsTo(e->recordedAt));
        sumYears += e->biologicalAge.toDouble();
    }
    pace.m_meanTime = sumTime / pace.m_count;
    pace.m_meanYears = sumYears / pace.m_count;
    double covariance = 0;
    double variance = 0;
    for (const HistoryEntry* e : kept) {
        const double dt =
            (static_cast<double>(pace.m_first.msecsTo(e->recordedAt)) - pace.m_meanTime) / YearMs;
        covariance += dt * (e->biologicalAge.toDouble() - pace.m_meanYears);
        variance += dt * dt;
    }
    pace.m_slope = covariance / variance;
    pace.m_status = Status::Known;
    return pace;
}

double AgingPace::expectedYearsPerYear() const
{
    return ProperAgePerYear(m_sex);
}

double AgingPace::trendAt(const QDateTime& when) const
{
    const double dt = (static_cast<double>(m_first.msecsTo(when)) - m_meanTime) / YearMs;
    return m_meanYears + m_slope * dt;
}

QString AgingPace::text() const
{
    QString text;
    switch (m_status) {
    case Status::Known:
        // A fraction always takes "года": 0,4 года, 1,0 года.
        text =
            QCoreApplication::translate("AgingPace", "Темп старения: %1 года за год (ожидается %2)")
                .arg(FixedDecimalString(FixedPoint::fromDouble(m_slope), 1),
                     FixedDecimalString(FixedPoint::fromDouble(expectedYearsPerYear()), 2));
        break;
    case Status::TooFewRecords:
        text =
            QCoreApplication::translate("AgingPace", "Темп старения будет виден с трёх записей за "
                                                     "90 дней и больше; сейчас %1.")
                .arg(m_count == 0 ? QCoreApplication::translate("AgingPace", "записей нет")
                                  : records(m_count));
        break;
    case Status::TooShortSpan:
        text = QCoreApplication::translate("AgingPace",
                                           "Темп старения будет виден, когда между первой и "
                                           "последней записью пройдёт 90 дней; сейчас %1.")
                   .arg(days(static_cast<qint64>(m_first.msecsTo(m_last) / DayMs)));
        break;
    }
    if (m_otherSex > 0)
        text += QLatin1Char(' ') +
                QCoreApplication::translate("AgingPace", "Записи с другим полом не учтены: %1.")
                    .arg(QString::number(m_otherSex));
    return text;
}
