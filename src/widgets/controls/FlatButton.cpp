#include "widgets/controls/FlatButton.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

FlatButton::FlatButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void FlatButton::paintEvent(QPaintEvent* event)
{
    if (!isFlat()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    const QPalette& pal = palette();
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    const bool pressed = isDown();
    p.fillRect(rect(), pressed ? pal.color(QPalette::Midlight) : pal.color(QPalette::Button));
    if (underMouse() && isEnabled() && !pressed)
        p.fillRect(rect(), pal.color(QPalette::Light));
    p.setPen(pal.color(isDefault() || hasFocus() ? QPalette::Shadow : QPalette::Dark));
    p.drawRect(frame);

    p.setPen(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    const QRect textRect = pressed ? rect().translated(1, 1) : rect();
    p.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        focus.backgroundColor = pal.color(QPalette::Button);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

void MakeFlat(QAbstractButton* button)
{
    if (!button)
        return;
    const Qt::FocusPolicy tabStop = button->focusPolicy();
    if (auto* push = qobject_cast<QPushButton*>(button))
        push->setFlat(true);
    button->setFocusPolicy(tabStop);
}
