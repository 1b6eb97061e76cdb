#pragma once

#include "core/history/AgingPace.h"
#include "widgets/charts/HistoryPoint.h"

#include <QVector>
#include <QWidget>

// Shows the history chart; reached by Tab and read by a screen reader through its text
// equivalent.
class HistoryChartWidget : public QWidget
{
    Q_OBJECT
public:
    explicit HistoryChartWidget(QWidget* parent = nullptr);

    void setPoints(const QVector<HistoryPoint>& points);
    const QVector<HistoryPoint>& points() const { return m_points; }
    // The pace whose trend line lies over the biological age (none when not known).
    void setPace(const AgingPace& pace);
    const AgingPace& pace() const { return m_pace; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVector<HistoryPoint> m_points;
    AgingPace m_pace;
};
