#include "windows/mainwindow/WindowAccessibility.h"

#include "widgets/controls/LinkLabel.h"
#include "widgets/controls/LinkLabelAccessible.h"
#include "windows/mainwindow/Form1.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

QAccessibleInterface* windowFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("LinkLabel")) {
        if (auto* link = qobject_cast<LinkLabel*>(object))
            return new LinkLabelAccessible(link);
    } else if (className == QLatin1String("Form1")) {
        // A plain top-level widget would read as a "filler"; it is the program's window.
        if (auto* form = qobject_cast<Form1*>(object))
            return new QAccessibleWidget(form, QAccessible::Window);
    }
    return nullptr;
}

} // namespace

void WindowAccessibility::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(windowFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
