#include "MessageBoxDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QtTest>

#include <algorithm>

MessageBoxDriver::MessageBoxDriver(int focusTimeoutMs) : m_focusTimeoutMs(focusTimeoutMs)
{
    m_poll.setInterval(10);
    connect(&m_poll, &QTimer::timeout, this, &MessageBoxDriver::poll);
    m_poll.start();
}

QStringList MessageBoxDriver::texts() const
{
    QStringList result;
    for (const Seen& s : m_seen)
        result << s.text;
    return result;
}

void MessageBoxDriver::poll()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) {
        m_current = nullptr;
        return;
    }
    if (box != m_current) {
        m_current = box;
        m_waitedMs = 0;
    }
    const QWidget* focus = QApplication::focusWidget();
    const bool focused = box->isActiveWindow() && focus && box->isAncestorOf(focus);
    if (!focused && (m_waitedMs += m_poll.interval()) < m_focusTimeoutMs)
        return;

    Seen seen;
    seen.text = box->text();
    seen.icon = box->icon();
    seen.tookFocus = focused;
    seen.format = box->textFormat();
    if (const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        seen.labelFont = label->font();
        seen.textWhole =
            label->minimumSizeHint().width() <= label->width() &&
            (!label->wordWrap() || label->heightForWidth(label->width()) <= label->height());
    }
    QList<QAbstractButton*> buttons = box->buttons();
    std::sort(buttons.begin(), buttons.end(),
              [](const QAbstractButton* a, const QAbstractButton* b) { return a->x() < b->x(); });
    seen.buttonsInside = !buttons.isEmpty();
    for (const QAbstractButton* button : buttons) {
        seen.buttons << button->text();
        seen.buttonFonts << button->font();
        const QRect inBox(button->mapTo(box, QPoint(0, 0)), button->size());
        seen.buttonsInside = seen.buttonsInside && box->rect().contains(inBox);
    }
    seen.frame = box->frameGeometry();
    if (const QScreen* screen = box->screen())
        seen.available = screen->availableGeometry();
    m_seen << seen;

    QMessageBox::StandardButton answer =
        m_answers.isEmpty() ? QMessageBox::NoButton : m_answers.takeFirst();
    QAbstractButton* target = box->button(answer);
    if (!target)
        target = box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)
                                              : box->button(QMessageBox::Yes);
    m_current = nullptr;
    QTest::mouseClick(target, Qt::LeftButton);
}
