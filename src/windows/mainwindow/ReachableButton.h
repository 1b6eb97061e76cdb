#pragma once

class QAction;
class QString;
class QToolBar;

// Tool bar buttons take no focus by default; where one is the only way to its command, Tab
// must reach it and a screen reader must name it.
class ReachableButton
{
public:
    static void make(QToolBar* bar, QAction* action, const QString& accessibleName);
};
