#include "core/history/AgingPace.h"

#include "core/assessment/ComputeAssessment.h"
#include "core/assessment/RussianPlural.h"
#include "core/assessment/YearsString.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

const char* const Context = "AgingPace";

constexpr double DayMs = 24.0 * 60 * 60 * 1000;
// The mean Gregorian year.
constexpr double YearMs = 365.2425 * DayMs;

QString counted(qint64 n, const char* one, const char* few, const char* many)
{
    const PluralForm form = RussianPluralForm(n);
    const char* word = form == PluralForm::One ? one : form == PluralForm::Few ? few : many;
    return QString::number(n) + QLatin1Char(' ') + QCoreApplication::translate(Context, word);
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
        text = QCoreApplication::translate(Context, "Темп старения: %1 года за год (ожидается %2)")
                   .arg(FixedDecimalString(FixedPoint::fromDouble(m_slope), 1),
                        FixedDecimalString(FixedPoint::fromDouble(expectedYearsPerYear()), 2));
        break;
    case Status::TooFewRecords:
        text = QCoreApplication::translate(Context, "Темп старения будет виден с трёх записей за "
                                                    "90 дней и больше; сейчас %1.")
                   .arg(m_count == 0 ? QCoreApplication::translate(Context, "записей нет")
                                     : counted(m_count, QT_TRANSLATE_NOOP("AgingPace", "запись"),
                                               QT_TRANSLATE_NOOP("AgingPace", "записи"),
                                               QT_TRANSLATE_NOOP("AgingPace", "записей")));
        break;
    case Status::TooShortSpan:
        text =
            QCoreApplication::translate(Context, "Темп старения будет виден, когда между первой и "
                                                 "последней записью пройдёт 90 дней; сейчас %1.")
                .arg(counted(static_cast<qint64>(m_first.msecsTo(m_last) / DayMs),
                             QT_TRANSLATE_NOOP("AgingPace", "день"),
                             QT_TRANSLATE_NOOP("AgingPace", "дня"),
                             QT_TRANSLATE_NOOP("AgingPace", "дней")));
        break;
    }
    if (m_otherSex > 0)
        text += QLatin1Char(' ') +
                QCoreApplication::translate(Context, "Записи с другим полом не учтены: %1.")
                    .arg(QString::number(m_otherSex));
    return text;
}
