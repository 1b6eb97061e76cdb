#include "widgets/controls/MenuRowDelegate.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <QWidget>

QSize MenuRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);

    // Measured as the style measures a combo box's menu rows: the item's text in the list's
    // font, room for an icon, no check mark.
    QStyleOptionMenuItem item;
    item.state = QStyle::State_Enabled;
    item.text = index.data(Qt::DisplayRole).toString();
    item.font = option.font;
    item.fontMetrics = QFontMetrics(item.font);
    item.menuItemType = QStyleOptionMenuItem::Normal;
    item.checkType = QStyleOptionMenuItem::NotCheckable;
    item.maxIconWidth = option.decorationSize.width() + 4;
    item.rect = option.rect;
    item.menuRect = option.rect;
    const QWidget* widget = option.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const QSize menuRow =
        style->sizeFromContents(QStyle::CT_MenuItem, &item, option.rect.size(), widget);
    size.setHeight(qMax(size.height(), menuRow.height()));
    return size;
}
