#pragma once

#include "core/data/DataCopy.h"

#include <QString>

#include <optional>

class HistoryStore;
class SettingsStore;

// Backup and restore of everything a user keeps: every profile, read and written through the
// settings store's own operations, and the whole history.
//
// A restore first saves all data as it was to an automatic copy beside the database
// (before-restore-<yyyyMMdd-HHmmss>.kvbackup, the last five kept); restoring that copy with
// Replace undoes the restore exactly. A file that is no sound copy changes nothing.
class DataTransfer
{
public:
    DataTransfer(SettingsStore& settings, HistoryStore& history);

    enum class Mode
    {
        Merge,  // the copy's profiles saved over, its records added unless already there
        Replace // the copy instead of everything
    };

    struct Outcome
    {
        bool ok = false;
        QString message;       // for the user: what was done, or why nothing was
        QString automaticCopy; // where the data before a restore went (empty if nowhere)
    };

    Outcome backup(const QString& path);
    Outcome restore(const QString& path, Mode mode);

    // Everything stored now; empty with why set when a store refuses to be read.
    std::optional<DataCopy> gather(QString* why);

    static constexpr int automaticCopiesKept = 5;
    static QString automaticCopyPrefix() { return QStringLiteral("before-restore-"); }

private:
    bool putProfiles(const DataCopy& copy, Mode mode);
    std::optional<QString> saveAutomaticCopy(const DataCopy& before, QString* why);
    void pruneAutomaticCopies(const QString& folder);

    SettingsStore& m_settings;
    HistoryStore& m_history;
};
