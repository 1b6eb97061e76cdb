#include "widgets/support/AccessibleFactories.h"

#include <QList>

void AccessibleFactories::install(QAccessible::InterfaceFactory factory)
{
    // Only the interface thread builds widgets, so a plain list is enough.
    static QList<QAccessible::InterfaceFactory> installed;
    if (installed.contains(factory))
        return;
    installed.append(factory);
    QAccessible::installFactory(factory);
}
