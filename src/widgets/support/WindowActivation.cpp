#include "widgets/support/WindowActivation.h"

#include <QApplication>
#include <QWidget>

void WindowActivation::bringToFront(QWidget* window)
{
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
    // An open modal window keeps the input; it has to stay above its owner.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != window) {
        modal->raise();
        modal->activateWindow();
    }
}
