#include "widgets/controls/LinkLabelAccessible.h"

#include "widgets/controls/LinkLabel.h"

LinkLabelAccessible::LinkLabelAccessible(LinkLabel* link)
    : QAccessibleWidget(link, QAccessible::Link)
{
}

QString LinkLabelAccessible::text(QAccessible::Text t) const
{
    const QString own = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && own.isEmpty())
        return static_cast<LinkLabel*>(widget())->text();
    return own;
}

QStringList LinkLabelAccessible::actionNames() const
{
    return {pressAction()};
}

void LinkLabelAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction())
        static_cast<LinkLabel*>(widget())->activate();
}
