#include "widgets/controls/ControlsAccessibility.h"

#include "widgets/controls/LinkLabel.h"
#include "widgets/controls/LinkLabelAccessible.h"
#include "widgets/controls/Panel3d.h"
#include "widgets/controls/Panel3dAccessible.h"
#include "widgets/controls/Slider.h"
#include "widgets/controls/SliderAccessible.h"
#include "widgets/support/AccessibleFactories.h"

namespace {

QAccessibleInterface* controlsFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("Slider")) {
        if (auto* slider = qobject_cast<Slider*>(object))
            return new SliderAccessible(slider);
    } else if (className == QLatin1String("Panel3d")) {
        if (auto* panel = qobject_cast<Panel3d*>(object))
            return new Panel3dAccessible(panel);
    } else if (className == QLatin1String("LinkLabel")) {
        if (auto* link = qobject_cast<LinkLabel*>(object))
            return new LinkLabelAccessible(link);
    }
    return nullptr;
}

} // namespace

void ControlsAccessibility::install()
{
    AccessibleFactories::install(controlsFactory);
}
