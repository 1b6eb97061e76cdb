#include "widgets/charts/HistoryChart.h"

#include "core/app/DisplayLocale.h"
#include "core/assessment/RussianPlural.h"
#include "core/assessment/YearsString.h"
#include "widgets/charts/ChartStyle.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace {

constexpr double DayMs = 24.0 * 60 * 60 * 1000;

QString dateText(const QDateTime& when)
{
    return DisplayLocale::compactDate(when.toLocalTime().date());
}

double timeOf(const QDateTime& when)
{
    return static_cast<double>(when.toMSecsSinceEpoch());
}

double timeOf(const QDate& date)
{
    return timeOf(date.startOfDay());
}

double yearsOf(const HistoryPoint& point, HistoryChart::Series series)
{
    switch (series) {
    case HistoryChart::Biological:
        return point.biologicalAge.toDouble();
    case HistoryChart::Proper:
        return point.properAge.toDouble();
    default:
        return point.calendarAge;
    }
}

// The points that can be placed, in time order.
QVector<HistoryPoint> usable(const QVector<HistoryPoint>& points)
{
    QVector<HistoryPoint> kept;
    kept.reserve(points.size());
    for (const HistoryPoint& p : points) {
        if (p.when.isValid())
            kept.append(p);
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [](const HistoryPoint& a, const HistoryPoint& b) { return a.when < b.when; });
    return kept;
}

// 1, 2 or 5 times a power of ten, at least `raw` and at least 1.
double niceStep(double raw)
{
    if (!(raw > 1))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= raw)
            return factor * power;
    }
    return 10 * power;
}

struct DateStep
{
    enum Unit
    {
        Days,
        Months,
        Years
    } unit;
    int count;
};

constexpr DateStep DateSteps[] = {
    {DateStep::Days, 1},    {DateStep::Days, 2},     {DateStep::Days, 7},    {DateStep::Days, 14},
    {DateStep::Months, 1},  {DateStep::Months, 2},   {DateStep::Months, 3},  {DateStep::Months, 6},
    {DateStep::Years, 1},   {DateStep::Years, 2},    {DateStep::Years, 5},   {DateStep::Years, 10},
    {DateStep::Years, 20},  {DateStep::Years, 50},   {DateStep::Years, 100}, {DateStep::Years, 200},
    {DateStep::Years, 500}, {DateStep::Years, 1000},
};

// Midnights between two times that begin a period of the step (every other day, a month,
// a quarter, a year, …), or an empty list when there would be more than `most`.
QVector<QDate> datesOf(DateStep step, double from, double to, int most)
{
    QVector<QDate> dates;
    const double approximateDays = step.unit == DateStep::Days     ? step.count
                                   : step.unit == DateStep::Months ? step.count * 30.4
                                                                   : step.count * 365.2;
    if ((to - from) / DayMs / approximateDays > most + 1)
        return dates;
    const QDate first = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(from)).date();
    const QDate last = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(to)).date();
    QDate d = first;
    if (step.unit == DateStep::Months)
        d = QDate(first.year(), first.month(), 1);
    else if (step.unit == DateStep::Years)
        d = QDate(first.year(), 1, 1);
    for (; d.isValid() && d <= last;) {
        const bool begins = step.unit == DateStep::Days ? d.toJulianDay() % step.count == 0
                            : step.unit == DateStep::Months
                                ? (d.year() * 12 + d.month() - 1) % step.count == 0
                                : d.year() % step.count == 0;
        const double t = timeOf(d);
        if (begins && t >= from && t <= to) {
            if (dates.size() == most)
                return {};
            dates.append(d);
        }
        d = step.unit == DateStep::Days     ? d.addDays(1)
            : step.unit == DateStep::Months ? d.addMonths(1)
                                            : d.addYears(1);
    }
    return dates;
}

QPainterPath markerPath(HistoryChart::Series series, QPointF centre, double u)
{
    QPainterPath path;
    switch (series) {
    case HistoryChart::Biological:
        path.addEllipse(centre, 3.5 * u, 3.5 * u);
        break;
    case HistoryChart::Proper:
        path.addRect(QRectF(centre.x() - 3 * u, centre.y() - 3 * u, 6 * u, 6 * u));
        break;
    default:
        path.moveTo(centre.x(), centre.y() - 4 * u);
        path.lineTo(centre.x() + 4 * u, centre.y());
        path.lineTo(centre.x(), centre.y() + 4 * u);
        path.lineTo(centre.x() - 4 * u, centre.y());
        path.closeSubpath();
        break;
    }
    return path;
}

QPen seriesPen(HistoryChart::Series series, const QPalette& palette, double u)
{
    QPen pen(HistoryChart::seriesColour(series, palette), 2 * u);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    if (series == HistoryChart::Proper)
        pen.setDashPattern({4, 2});
    else if (series == HistoryChart::Calendar)
        pen.setDashPattern({1, 1.5});
    return pen;
}

} // namespace

QPointF HistoryChart::Layout::pointAt(const QDateTime& when, double years) const
{
    const double span = lastTime - firstTime;
    const double x = span > 0 ? plot.left() + (timeOf(when) - firstTime) / span * plot.width()
                              : plot.center().x();
    const double range = highYears - lowYears;
    const double y =
        range > 0 ? plot.bottom() - (years - lowYears) / range * plot.height() : plot.center().y();
    return QPointF(x, y);
}

QString HistoryChart::seriesName(Series series)
{
    switch (series) {
    case Biological:
        return QCoreApplication::translate("HistoryChart", "Биологический возраст");
    case Proper:
        return QCoreApplication::translate("HistoryChart", "Полный биологический возраст");
    default:
        return QCoreApplication::translate("HistoryChart", "Календарный возраст");
    }
}

QColor HistoryChart::seriesColour(Series series, const QPalette& palette)
{
    const QColor highlight = palette.color(QPalette::Highlight);
    switch (series) {
    case Biological:
        return highlight;
    case Proper: {
        // Opposite the highlight's hue, so the two ages never look alike in any theme.
        if (highlight.hslHueF() < 0)
            return ChartStyle::tint(palette, 25, 0.75, 0.45);
        return QColor::fromHslF(std::fmod(highlight.hslHueF() + 0.5, 1.0),
                                std::max(0.6f, highlight.hslSaturationF()), highlight.lightnessF());
    }
    default:
        return ChartStyle::mix(palette.color(QPalette::WindowText), palette.color(QPalette::Window),
                               0.35);
    }
}

HistoryChart::Layout HistoryChart::layout(const QRectF& rect, const QVector<HistoryPoint>& points,
                                          const QFontMetricsF& metrics)
{
    const QVector<HistoryPoint> kept = usable(points);
    const double line = std::ceil(metrics.height());
    const double u = ChartStyle::unit(metrics);
    Layout l;

    // The legend flows into as many rows as the width needs.
    const double sample = std::round(line * 2.5);
    double x = rect.left();
    double y = rect.top();
    for (int s = 0; s < SeriesCount; ++s) {
        const double width =
            sample + std::round(line * 0.4) + metrics.horizontalAdvance(seriesName(Series(s)));
        if (x > rect.left() && x + width > rect.right()) {
            x = rect.left();
            y += line + u;
        }
        l.legend.append(QRectF(x, y, width, line));
        x += width + line;
    }

    const double dateWidth = metrics.horizontalAdvance(QStringLiteral("00.00.00"));
    const double top = y + line + line;
    const double bottom = rect.bottom() - 3 * u - line - u;
    const double height = std::max(1.0, bottom - top);
    // The records lie a marker's width inside the plot, at the sides and at top and bottom.
    const double inset = 6 * u;
    const double inner = std::max(1.0, height - 2 * inset);

    // Years: a 1-2-5 step that leaves room for a label every line and a half.
    double low = 0;
    double high = 0;
    if (!kept.isEmpty()) {
        low = high = yearsOf(kept.first(), Biological);
        for (const HistoryPoint& p : kept) {
            for (int s = 0; s < SeriesCount; ++s) {
                low = std::min(low, yearsOf(p, Series(s)));
                high = std::max(high, yearsOf(p, Series(s)));
            }
        }
    }
    // Three ticks at least: values on both sides of a multiple of the step (of 0, say) always
    // need the two ends and that multiple, so a smaller limit would never be met.
    const int mostYearTicks = std::max(3, static_cast<int>(inner / (line * 1.5)) + 1);
    // Each round at least half as large again: once the step covers the whole range, the ends
    // are at most two steps apart, so the rounds end.
    double step = niceStep((high - low) / (mostYearTicks - 1));
    int intervals = 0;
    for (;; step = niceStep(step * 1.5)) {
        l.lowYears = std::floor(low / step) * step;
        l.highYears = std::ceil(high / step) * step;
        if (l.highYears == l.lowYears) {
            l.lowYears -= step;
            l.highYears += step;
        }
        intervals = static_cast<int>(std::lround((l.highYears - l.lowYears) / step));
        if (intervals + 1 <= mostYearTicks)
            break;
    }
    // The lines keep a margin from the plot's edges, so none lies on an axis.
    const double pad = inset / inner * (l.highYears - l.lowYears);
    const double tickLow = l.lowYears;
    const double tickHigh = l.highYears;
    l.lowYears -= pad;
    l.highYears += pad;
    double labelWidth = 0;
    for (int i = 0; !kept.isEmpty() && i <= intervals; ++i) {
        const double v = i == intervals ? tickHigh : tickLow + i * step;
        const QString label = DecimalString(FixedPoint::fromDouble(v));
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(label));
        l.yearTicks.append(
            {bottom - (v - l.lowYears) / (l.highYears - l.lowYears) * height, label});
    }

    const double left = rect.left() + std::max(labelWidth + 4 * u, dateWidth / 2);
    const double right = rect.right() - dateWidth / 2;
    l.plot = QRectF(left, top, std::max(1.0, right - left), height);

    // Dates: the first and last record lie a marker's width inside the plot.
    if (!kept.isEmpty()) {
        const double first = timeOf(kept.first().when);
        const double last = timeOf(kept.last().when);
        const double innerWidth = std::max(1.0, l.plot.width() - 2 * inset);
        const double span = last > first ? last - first : DayMs;
        const double middle = (first + last) / 2;
        const double from = last > first ? first : middle - span / 2;
        l.firstTime = from - inset / innerWidth * span;
        l.lastTime = from + span + inset / innerWidth * span;

        // Records of a single day carry its date under their middle; otherwise the dates are
        // the beginnings of days, months or years, as many as fit.
        if (dateText(kept.first().when) == dateText(kept.last().when)) {
            l.dateTicks.append({l.plot.left() + (middle - l.firstTime) /
                                                    (l.lastTime - l.firstTime) * l.plot.width(),
                                dateText(kept.first().when)});
            return l;
        }
        const int mostDateTicks =
            std::max(1, static_cast<int>(l.plot.width() / (dateWidth + line)));
        QVector<QDate> dates;
        for (const DateStep& s : DateSteps) {
            dates = datesOf(s, l.firstTime, l.lastTime, mostDateTicks);
            if (!dates.isEmpty())
                break;
        }
        for (const QDate& d : dates)
            l.dateTicks.append({l.pointAt(d.startOfDay(), 0).x(), DisplayLocale::compactDate(d)});
    }
    return l;
}

void HistoryChart::paint(QPainter& painter, const QRectF& rect, const QVector<HistoryPoint>& points,
                         const QPalette& palette)
{
    const QVector<HistoryPoint> kept = usable(points);
    const QFontMetricsF metrics = ChartStyle::metrics(painter);
    const Layout l = layout(rect, kept, metrics);
    const double u = ChartStyle::unit(metrics);
    const double line = std::ceil(metrics.height());
    const QColor text = palette.color(QPalette::WindowText);
    const QColor base = palette.color(QPalette::Base);

    // Rules lie on device pixels, so they stay sharp with antialiasing on.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF plot = ChartStyle::snapped(painter, l.plot);
    painter.fillRect(plot, base);
    const QColor grid = ChartStyle::mix(base, text, 0.12);
    const QColor axis = ChartStyle::mix(palette.color(QPalette::Window), text, 0.6);
    painter.setPen(text);
    for (const Tick& tick : l.yearTicks) {
        const double y = ChartStyle::snapY(painter, tick.position - u / 2);
        painter.fillRect(QRectF(plot.left(), y, plot.width(), u), grid);
        painter.fillRect(QRectF(plot.left() - 3 * u, y, 3 * u, u), axis);
        painter.drawText(
            QRectF(rect.left(), tick.position - line / 2, plot.left() - 4 * u - rect.left(), line),
            Qt::AlignRight | Qt::AlignVCenter, tick.label);
    }
    for (const Tick& tick : l.dateTicks) {
        const double x = ChartStyle::snapX(painter, tick.position - u / 2);
        painter.fillRect(QRectF(x, plot.top(), u, plot.height()), grid);
        painter.fillRect(QRectF(x, plot.bottom(), u, 3 * u), axis);
        const double width = metrics.horizontalAdvance(tick.label);
        painter.drawText(QRectF(tick.position - width / 2, plot.bottom() + 4 * u, width, line),
                         Qt::AlignCenter, tick.label);
    }
    if (kept.isEmpty()) {
        painter.setPen(ChartStyle::mix(base, text, 0.6));
        painter.drawText(plot, Qt::AlignCenter, textEquivalent(kept));
        painter.setPen(text);
    }
    painter.fillRect(QRectF(plot.left() - u, plot.top(), u, plot.height() + u), axis);
    painter.fillRect(QRectF(plot.left() - u, plot.bottom(), plot.width() + u, u), axis);

    // The series: lines between the records, and a mark on each where there is room (a single
    // record is only a mark).
    const bool marks = kept.size() * 8 * u <= plot.width() || kept.size() == 1;
    for (int s = SeriesCount - 1; s >= 0; --s) {
        const Series series = Series(s);
        const QColor colour = seriesColour(series, palette);
        QPolygonF polyline;
        polyline.reserve(kept.size());
        for (const HistoryPoint& p : kept)
            polyline.append(l.pointAt(p.when, yearsOf(p, series)));
        painter.setPen(seriesPen(series, palette, u));
        painter.setBrush(Qt::NoBrush);
        if (polyline.size() > 1)
            painter.drawPolyline(polyline);
        if (marks) {
            painter.setPen(QPen(base, u));
            painter.setBrush(colour);
            for (const QPointF& at : polyline)
                painter.drawPath(markerPath(series, at, u));
        }
    }

    // The legend: each series' line and mark, then its name.
    const double sample = std::round(line * 2.5);
    for (int s = 0; s < SeriesCount; ++s) {
        const Series series = Series(s);
        const QRectF entry = l.legend.at(s);
        const double y = entry.center().y();
        painter.setPen(seriesPen(series, palette, u));
        painter.drawLine(QPointF(entry.left(), y), QPointF(entry.left() + sample, y));
        painter.setPen(QPen(base, u));
        painter.setBrush(seriesColour(series, palette));
        painter.drawPath(markerPath(series, QPointF(entry.left() + sample / 2, y), u));
        painter.setPen(text);
        painter.drawText(entry.adjusted(sample + std::round(line * 0.4), 0, 0, 0),
                         Qt::AlignLeft | Qt::AlignVCenter, seriesName(series));
    }
    painter.restore();
}

void HistoryChart::paintTrend(QPainter& painter, const QRectF& rect,
                              const QVector<HistoryPoint>& points, const AgingPace& pace,
                              const QPalette& palette)
{
    if (!pace.isKnown())
        return;
    const QFontMetricsF metrics = ChartStyle::metrics(painter);
    const Layout l = layout(rect, points, metrics);
    const double u = ChartStyle::unit(metrics);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The fitted ends may lie a little beyond the years the axis shows.
    painter.setClipRect(l.plot, Qt::IntersectClip);
    QPen pen(ChartStyle::mix(seriesColour(Biological, palette), palette.color(QPalette::Base), 0.3),
             1.5 * u);
    pen.setDashPattern({6, 3});
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(l.pointAt(pace.first(), pace.trendAt(pace.first())),
                     l.pointAt(pace.last(), pace.trendAt(pace.last())));
    painter.restore();
}

QString HistoryChart::textEquivalent(const QVector<HistoryPoint>& points)
{
    const QVector<HistoryPoint> kept = usable(points);
    if (kept.isEmpty())
        return QCoreApplication::translate("HistoryChart", "Записей нет");

    QString count = QString::number(kept.size()) + QLatin1Char(' ');
    if (DisplayLocale::isRussian()) {
        switch (RussianPluralForm(kept.size())) {
        case PluralForm::One:
            count += QStringLiteral("запись");
            break;
        case PluralForm::Few:
            count += QStringLiteral("записи");
            break;
        case PluralForm::Many:
            count += QStringLiteral("записей");
            break;
        }
    } else {
        const int records = static_cast<int>(kept.size());
        count += QCoreApplication::translate("HistoryChart", "записей",
                                             "the word after a number of records", records);
    }
    const QString first = dateText(kept.first().when);
    const QString last = dateText(kept.last().when);
    QString text;
    if (kept.size() == 1)
        text = QCoreApplication::translate("HistoryChart", "%1 от %2").arg(count, first);
    else if (first == last)
        text = QCoreApplication::translate("HistoryChart", "%1 за %2").arg(count, first);
    else
        text = QCoreApplication::translate("HistoryChart", "%1 с %2 по %3").arg(count, first, last);

    const HistoryPoint& latest = kept.last();
    const QString latestAges =
        QCoreApplication::translate("HistoryChart",
                                    "биологический возраст %1, полный %2, календарный %3")
            .arg(YearsString(latest.biologicalAge), YearsString(latest.properAge),
                 YearsString(FixedPoint::fromInt(latest.calendarAge)));
    if (kept.size() == 1)
        return text + QStringLiteral(": ") + latestAges;

    FixedPoint low = latest.biologicalAge;
    FixedPoint high = low;
    for (const HistoryPoint& p : kept) {
        low = std::min(low, p.biologicalAge);
        high = std::max(high, p.biologicalAge);
    }
    const QString range =
        low == high ? YearsString(low)
                    : QCoreApplication::translate("HistoryChart", "от %1 до %2")
                          .arg(DecimalString(low),
                               YearsString(high, SignStyle::MinusOnly, YearsCase::Genitive));
    return QCoreApplication::translate("HistoryChart",
                                       "%1; биологический возраст %2; в последней записи %3")
        .arg(text, range, latestAges);
}
