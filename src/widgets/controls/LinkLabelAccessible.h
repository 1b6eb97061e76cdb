#pragma once

#include <QAccessibleWidget>

class LinkLabel;

// A link label is a link to assistive technology, and its press action follows it.
class LinkLabelAccessible : public QAccessibleWidget
{
public:
    explicit LinkLabelAccessible(LinkLabel* link);

    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
};
