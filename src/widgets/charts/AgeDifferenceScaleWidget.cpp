#include "widgets/charts/AgeDifferenceScaleWidget.h"

#include "widgets/charts/AgeDifferenceScale.h"
#include "widgets/charts/ChartFrame.h"
#include "widgets/charts/ChartsAccessibility.h"

#include <QPainter>

AgeDifferenceScaleWidget::AgeDifferenceScaleWidget(QWidget* parent) : QWidget(parent)
{
    ChartsAccessibility::install();
    ChartFrame::prepare(this);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleDescription(AgeDifferenceScale::description());
    setDifference(FixedPoint());
}

void AgeDifferenceScaleWidget::setDifference(FixedPoint difference)
{
    m_difference = difference;
    setAccessibleName(AgeDifferenceScale::textEquivalent(difference));
    update();
}

QSize AgeDifferenceScaleWidget::sizeHint() const
{
    return QSize(340, heightForWidth(340));
}

QSize AgeDifferenceScaleWidget::minimumSizeHint() const
{
    const int width =
        static_cast<int>(AgeDifferenceScale::minimumWidth(QFontMetricsF(font(), this))) +
        2 * ChartFrame::margin(this);
    return QSize(width, heightForWidth(width));
}

int AgeDifferenceScaleWidget::heightForWidth(int width) const
{
    const QFontMetricsF metrics(font(), this);
    const int margin = ChartFrame::margin(this);
    return static_cast<int>(AgeDifferenceScale::heightFor(width - 2 * margin, metrics)) +
           2 * margin;
}

void AgeDifferenceScaleWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The style's focus frame may fill its inside, so it goes under the drawing.
    ChartFrame::paintFocus(painter, this);
    AgeDifferenceScale::paint(painter, ChartFrame::contents(this), m_difference, palette());
}
