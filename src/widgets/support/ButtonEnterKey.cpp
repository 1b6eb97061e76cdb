#include "widgets/support/ButtonEnterKey.h"

#include "widgets/support/HeldKeyGuard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>

void ButtonEnterKey::install()
{
    static QPointer<ButtonEnterKey> installed;
    if (installed || !qApp)
        return;
    installed = new ButtonEnterKey(qApp);
    qApp->installEventFilter(installed);
    // A question a button asks must not be answered by the repeats of the key that pressed it.
    HeldKeyGuard::install();
}

bool ButtonEnterKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    auto* button = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    if (!button || !(qobject_cast<QPushButton*>(button) || qobject_cast<QToolButton*>(button)))
        return false;
    // Here the key reaches the button's surroundings: the button left it unused.
    auto* surroundings = qobject_cast<QWidget*>(watched);
    if (!surroundings || surroundings == button || !surroundings->isAncestorOf(button) ||
        !button->isEnabled())
        return false;
    key->accept();
    // A held key repeats; one press is one click.
    if (!key->isAutoRepeat())
        button->click();
    return true;
}
