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
        if (type == QEvent::KeyRelease) {
            if (key->key() == m_key) {
                m_released = true;
                m_releasedAt = key->timestamp();
            }
            return false;
        }
        // A busy program may take a repeat for a release and a new press: the display stamps
        // both with the same time, which a release and a press by hand never share. (Events
        // made by the program or a test carry no time.)
        const bool disguisedRepeat = key->key() == m_key && m_released && m_releasedAt != 0 &&
                                     key->timestamp() == m_releasedAt;
        if (!disguisedRepeat) {
            if (type == QEvent::KeyPress) {
                m_key = key->key();
                m_window = windowOf(watched);
                m_released = false;
            }
            return false;
        }
    }
    if (key->key() == m_key && m_window && windowOf(watched) == m_window) {
        if (key->isAutoRepeat())
            return false;
        // Handed on as the repeat it is: a control that acts once per press ignores it.
        QKeyEvent repeat(type, key->key(), key->modifiers(), key->nativeScanCode(),
                         key->nativeVirtualKey(), key->nativeModifiers(), key->text(), true,
                         key->count(), key->device());
        repeat.setTimestamp(key->timestamp());
        QCoreApplication::sendEvent(watched, &repeat);
        key->setAccepted(repeat.isAccepted());
        return true;
    }
    // A repeat of a key that went down elsewhere (or before the program saw it): taken here,
    // so neither a shortcut nor the focused control acts on it.
    key->accept();
    return true;
}
