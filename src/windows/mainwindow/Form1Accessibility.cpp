#include "windows/mainwindow/Form1Accessibility.h"

#include "widgets/support/AccessibleFactories.h"
#include "windows/mainwindow/Form1.h"

#include <QAccessibleWidget>

namespace {

QAccessibleInterface* form1Factory(const QString& className, QObject* object)
{
    // A plain top-level widget would read as a "filler"; it is the program's window.
    if (className == QLatin1String("Form1")) {
        if (auto* form = qobject_cast<Form1*>(object))
            return new QAccessibleWidget(form, QAccessible::Window);
    }
    return nullptr;
}

} // namespace

void Form1Accessibility::install()
{
    AccessibleFactories::install(form1Factory);
}
