#pragma once

#include "core/data/DataTransfer.h"

#include <QObject>
#include <QSize>

#include <functional>

class HistoryStore;
class QAction;
class QToolBar;
class QToolButton;
class QWidget;
class SettingsStore;

// The main window's menu of the user's data, a tool button beside the profile buttons: save a
// copy of every profile and the whole history, restore from one (merging), or replace
// everything with one. After a restore the profile list is filled again, no profile loaded.
class DataMenu : public QObject
{
    Q_OBJECT
public:
    DataMenu(QWidget* host, QToolBar* bar, SettingsStore& settings, HistoryStore& history,
             std::function<void()> reloadProfiles);

    // Starts drawing the button's icon at that logical size and pixel ratio on another thread.
    static void prepare(QSize iconSize, qreal devicePixelRatio);

    QToolButton* button() const { return m_button; }

    // The commands behind the menu's entries once a file is chosen; the outcome is shown in a
    // message box either way.
    void backupTo(const QString& path);
    void restoreFrom(const QString& path, DataTransfer::Mode mode);

private:
    void chooseBackup();
    void chooseRestore(DataTransfer::Mode mode);
    QString chooseFile(bool saving);

    QWidget* m_host;
    QToolButton* m_button = nullptr;
    SettingsStore& m_settings;
    HistoryStore& m_history;
    std::function<void()> m_reloadProfiles;
};
