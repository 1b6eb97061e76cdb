#include "windows/mainwindow/ReachableButton.h"

#include <QAction>
#include <QToolBar>

void ReachableButton::make(QToolBar* bar, QAction* action, const QString& accessibleName)
{
    if (QWidget* button = bar->widgetForAction(action)) {
        button->setAccessibleName(accessibleName);
        button->setFocusPolicy(Qt::TabFocus);
    }
}
