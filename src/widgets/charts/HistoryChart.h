#pragma once

#include "core/history/AgingPace.h"
#include "widgets/charts/HistoryPoint.h"

#include <QFontMetricsF>
#include <QRectF>
#include <QString>
#include <QVector>

class QPainter;
class QPalette;

// A line chart of the biological, the proper and the calendar age over the dates of the
// records, with date and year axes and a legend. Draws into any painter (a window, an image, a
// printed page); sizes follow the painter's font. Points without a valid time are left out.
class HistoryChart
{
public:
    enum Series
    {
        Biological,
        Proper,
        Calendar,
        SeriesCount
    };

    struct Tick
    {
        double position; // x for a date, y for a year
        QString label;
    };

    // Where each part lies in a rectangle for the given points.
    struct Layout
    {
        QRectF plot;             // the area inside the axes
        QVector<QRectF> legend;  // one entry a series: its sample and its name
        QVector<Tick> dateTicks; // "dd.MM.yy"
        QVector<Tick> yearTicks;
        double firstTime = 0; // milliseconds since the epoch at the plot's left and right,
        double lastTime = 0;  // inside a margin that keeps the end markers whole
        double lowYears = 0;  // years at the plot's bottom and top
        double highYears = 0;

        QPointF pointAt(const QDateTime& when, double years) const;
    };

    static QString seriesName(Series series);
    static Layout layout(const QRectF& rect, const QVector<HistoryPoint>& points,
                         const QFontMetricsF& metrics);
    static void paint(QPainter& painter, const QRectF& rect, const QVector<HistoryPoint>& points,
                      const QPalette& palette);
    // The pace's trend line over the chart that paint() draws into the same rectangle, from the
    // first to the last record it counts; nothing when the pace is not known.
    static void paintTrend(QPainter& painter, const QRectF& rect,
                           const QVector<HistoryPoint>& points, const AgingPace& pace,
                           const QPalette& palette);
    // The colour of a series in a palette.
    static QColor seriesColour(Series series, const QPalette& palette);

    // For a screen reader: "3 записи с 01.02.26 по 10.12.26; биологический возраст от 48 до 51
    // года; в последней записи …".
    static QString textEquivalent(const QVector<HistoryPoint>& points);
};
