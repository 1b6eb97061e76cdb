#pragma once

#include "core/history/HistoryStore.h"
#include "core/profiles/SettingsStore.h"

#include <QTemporaryDir>

// The stores a main window is handed, made as the program makes them: the profiles in the
// per-user settings (point those at a test folder first, StoreFolder::useForNativeStore) and
// the results history in a temporary folder of its own, removed with it.
class WindowStores
{
public:
    WindowStores();

    // The folder the history's database would be written in.
    QString historyFolder() const { return m_historyFolder.path(); }

private:
    QTemporaryDir m_historyFolder;

public:
    SettingsStore settings;
    HistoryStore history;
};
