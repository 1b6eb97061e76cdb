#pragma once

#include <QStyledItemDelegate>

// Rows of a drop-down list at least as tall as a menu item with the same text. A combo box
// the user only picks from shows its list as a menu; an editable one gets bare rows of one
// font height, which cut the descenders of "Дуду ругу". With this delegate both lists of a
// window have rows of one height.
class MenuRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
