#include "widgets/charts/HistoryChartWidget.h"

#include "widgets/charts/ChartFrame.h"
#include "widgets/charts/ChartsAccessibility.h"
#include "widgets/charts/HistoryChart.h"

#include <QPainter>

HistoryChartWidget::HistoryChartWidget(QWidget* parent) : QWidget(parent)
{
    ChartsAccessibility::install();
    ChartFrame::prepare(this);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleDescription(
        tr("График биологического, полного и календарного возраста по датам записей"));
    setPoints({});
}

void HistoryChartWidget::setPoints(const QVector<HistoryPoint>& points)
{
    m_points = points;
    setAccessibleName(HistoryChart::textEquivalent(points));
    update();
}

void HistoryChartWidget::setPace(const AgingPace& pace)
{
    m_pace = pace;
    update();
}

QSize HistoryChartWidget::sizeHint() const
{
    return QSize(360, 200);
}

QSize HistoryChartWidget::minimumSizeHint() const
{
    const int line = fontMetrics().height();
    return QSize(line * 16, line * 10);
}

void HistoryChartWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The style's focus frame may fill its inside, so it goes under the drawing.
    ChartFrame::paintFocus(painter, this);
    HistoryChart::paint(painter, ChartFrame::contents(this), m_points, palette());
    HistoryChart::paintTrend(painter, ChartFrame::contents(this), m_points, m_pace, palette());
}
