#include "widgets/support/AppStyle.h"

#include "widgets/support/DeferredIconEngine.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTabBar>
#include <QWidget>

#include <algorithm>

AppStyle::AppStyle(const QString& baseStyleName)
    : QProxyStyle(baseStyleName.isEmpty() ? nullptr : QStyleFactory::create(baseStyleName))
{
}

QIcon AppStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                             const QWidget* widget) const
{
    if (standardIcon != SP_ToolBarHorizontalExtensionButton &&
        standardIcon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);

    // The option and the widget may be gone when the icon is made: keep what they say now.
    std::shared_ptr<QStyleOption> kept;
    if (option)
        kept = std::make_shared<QStyleOption>(*option);
    const QPointer<const QWidget> target(widget);
    const QPointer<const AppStyle> self(this);
    return QIcon(new DeferredIconEngine([self, standardIcon, kept, target] {
        if (!self)
            return QIcon();
        return self->QProxyStyle::standardIcon(standardIcon, kept.get(), target.data());
    }));
}

bool AppStyle::showsFocus(const QStyleOption& option)
{
    return (option.state & State_HasFocus) && (option.state & State_KeyboardFocusChange);
}

void AppStyle::drawFocusOutline(QPainter* painter, const QRect& rect, const QStyleOption& option)
{
    // On a selected item the highlight is the background: the outline takes its text colour.
    const QColor colour = option.palette.color(
        option.state & State_Selected ? QPalette::HighlightedText : QPalette::Highlight);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(Qt::NoPen);
    const QRect r = rect.normalized();
    const int w = std::min({FocusWidth, r.width() / 2, r.height() / 2});
    if (w > 0) {
        painter->fillRect(QRect(r.left(), r.top(), r.width(), w), colour);
        painter->fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), colour);
        painter->fillRect(QRect(r.left(), r.top() + w, w, r.height() - 2 * w), colour);
        painter->fillRect(QRect(r.right() - w + 1, r.top() + w, w, r.height() - 2 * w), colour);
    }
    painter->restore();
}

void AppStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                             QPainter* painter, const QWidget* widget) const
{
    if (element != PE_FrameFocusRect || !option) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Asked for only where the focus is; shown once the keyboard is in use.
    if (option->state & State_KeyboardFocusChange)
        drawFocusOutline(painter, option->rect, *option);
}

void AppStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                           const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (!option)
        return;
    // A tab bar marks the focus on its current tab, whatever state it passes on for it.
    if (const auto* bar = qobject_cast<const QTabBar*>(widget); bar && element == CE_TabBarTab) {
        if (bar->hasFocus() && bar->window()->testAttribute(Qt::WA_KeyboardFocusChange) &&
            (option->state & State_Selected)) {
            QStyleOption current(*option); // a current tab, not a selected item
            current.state &= ~State_Selected;
            drawFocusOutline(painter, option->rect.adjusted(1, 1, -1, 0), current);
        }
        return;
    }
    if (!(option->state & State_KeyboardFocusChange))
        return;
    switch (element) {
    case CE_PushButton:
        // Inside the button's own frame.
        if (option->state & State_HasFocus)
            drawFocusOutline(painter, option->rect.adjusted(1, 1, -1, -1), *option);
        break;
    case CE_ShapedFrame:
        // Text boxes and tables mark nothing of their own: their frame shows the focus.
        if ((option->state & State_HasFocus) && qobject_cast<const QAbstractScrollArea*>(widget))
            drawFocusOutline(painter, option->rect, *option);
        break;
    default:
        break;
    }
}

void AppStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                  QPainter* painter, const QWidget* widget) const
{
    const auto* button = qstyleoption_cast<const QStyleOptionToolButton*>(option);
    if (control != CC_ToolButton || !button || !showsFocus(*option)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    // A small tool button is mostly its icon: the outline goes round its edge instead.
    QStyleOptionToolButton plain(*button);
    plain.state &= ~State_HasFocus;
    QProxyStyle::drawComplexControl(control, &plain, painter, widget);
    drawFocusOutline(painter, button->rect, *option);
}
