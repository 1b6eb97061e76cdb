#include "widgets/support/CentredWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace {

QMargins frameMargins(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

} // namespace

CentredWindow::CentredWindow(QWidget* window) : QObject(window), m_window(window) {}

void CentredWindow::centre(QWidget* window)
{
    auto* centring = new CentredWindow(window);
    if (!centring->place()) {
        delete centring;
        return;
    }
    window->installEventFilter(centring);
}

QPoint CentredWindow::framePosition(const QSize& client, const QMargins& frame,
                                    const QRect& available)
{
    QRect outer(QPoint(0, 0), client.grownBy(frame));
    outer.moveCenter(available.center());
    return outer.topLeft();
}

bool CentredWindow::place()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return false;
    m_margins = frameMargins(m_window);
    m_window->move(framePosition(m_window->size(), m_margins, screen->availableGeometry()));
    return true;
}

bool CentredWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The margins arrive with a move of the client inside its new frame.
    const QEvent::Type type = event->type();
    if (watched == m_window &&
        (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show) &&
        frameMargins(m_window) != m_margins) {
        place();
        // Once: after that the window is where the user puts it.
        deleteLater();
    }
    return false;
}
