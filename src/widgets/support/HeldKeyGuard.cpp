#include "widgets/support/HeldKeyGuard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace {

QWindow* windowOf(QObject* receiver)
{
    if (auto* window = qobject_cast<QWindow*>(receiver))
        return window;
    if (auto* widget = qobject_cast<QWidget*>(receiver))
        return widget->window()->windowHandle();
    return nullptr;
}

} // namespace

void HeldKeyGuard::install()
{
    static QPointer<HeldKeyGuard> installed;
    if (installed || !qApp)
        return;
    installed = new HeldKeyGuard(qApp);
    qApp->installEventFilter(installed);
}

bool HeldKeyGuard::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!key->isAutoRepeat()) {
        if (type == QEvent::KeyPress) {
            m_key = key->key();
            m_window = windowOf(watched);
        } else if (type == QEvent::KeyRelease && key->key() == m_key) {
            m_key = 0;
            m_window.clear();
        }
        return false;
    }
    if (key->key() == m_key && m_window && windowOf(watched) == m_window)
        return false;
    // A repeat of a key that went down elsewhere (or before the program saw it): taken here,
    // so neither a shortcut nor the focused control acts on it.
    key->accept();
    return true;
}
