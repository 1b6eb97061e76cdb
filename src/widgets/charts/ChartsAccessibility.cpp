#include "widgets/charts/ChartsAccessibility.h"

#include "widgets/charts/AgeDifferenceScaleWidget.h"
#include "widgets/charts/HistoryChartWidget.h"
#include "widgets/support/AccessibleFactories.h"

#include <QAccessibleWidget>

namespace {

QAccessibleInterface* chartsFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("AgeDifferenceScaleWidget") ||
        className == QLatin1String("HistoryChartWidget")) {
        if (auto* widget = qobject_cast<QWidget*>(object))
            return new QAccessibleWidget(widget, QAccessible::Chart);
    }
    return nullptr;
}

} // namespace

void ChartsAccessibility::install()
{
    AccessibleFactories::install(chartsFactory);
}
