#pragma once

#include "core/history/HistoryEntry.h"
#include "core/history/UserDatabase.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The results history, in the user's database (UserDatabase) beside the profiles. Entries are
// kept under the profile name as recorded, so renaming or deleting a profile leaves its history
// alone; names are compared exactly (letter case too).
//
// Nothing happens on construction: the database is opened by the first call that needs it, and
// merely reading never creates it. Damage, refusals, newer databases and the journal are
// handled as UserDatabase says; the new name of a damaged database moved aside is reported once
// through takeMovedAside().
//
// Not thread-safe: use a store from one thread.
class HistoryStore
{
public:
    enum class Problem
    {
        None,
        Unavailable,   // the folder or the file refused (no room, no permission, in use)
        NewerDatabase, // written by a newer program; left as it is
        InvalidEntry   // the entry breaks HistoryEntry::isValid(); nothing was stored
    };

    // With an empty folder the database lives in the user's data folder
    // (UserDatabase::userFolder(), found on first use); otherwise in the given folder.
    explicit HistoryStore(const QString& folder = QString());
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    static QString fileName() { return UserDatabase::fileName(); }
    // The database file; empty when no data folder is known.
    QString location() const;

    // Records one entry (its id is ignored) and returns the id it was given.
    std::optional<qint64> add(const HistoryEntry& entry);
    // Records all or, on any failure, none; the ids in the entries' order.
    std::optional<QList<qint64>> addAll(const QList<HistoryEntry>& entries);
    // One profile's entries, newest first (ties in the time: the later recorded first).
    std::optional<QList<HistoryEntry>> entries(const QString& profileName);
    // Deletes one entry. An id that is not stored is no failure.
    bool remove(qint64 id);
    // The names that have entries, in code-point order.
    std::optional<QStringList> profileNames();

    // Every entry of every profile, in the order recorded (by id).
    std::optional<QList<HistoryEntry>> allEntries();
    // Every entry in one read, profile by profile in the order of profileNames(), each
    // profile's oldest first (ties in the time: the earlier recorded first).
    std::optional<QList<HistoryEntry>> allEntriesByProfile();
    // Adds each entry unless one of the same profile name, moment (to the millisecond) and
    // inputs is stored already; all or, on any failure, none. Returns how many were added.
    std::optional<int> addMissing(const QList<HistoryEntry>& entries);
    // Replaces every entry with these, each under its own id (a new one where it is 0); all
    // or, on any failure, nothing changes.
    bool replaceAll(const QList<HistoryEntry>& entries);

    // Why the last call failed (None after a success).
    Problem problem() const;
    // The folder and the engine's message for that failure, for a log or a detail line.
    QString problemDetail() const;
    // Where damaged databases were moved since this was last asked; each is returned once.
    QStringList takeMovedAside();

private:
    void begin();
    // Every entry in one read, in the order of an ORDER BY clause.
    std::optional<QList<HistoryEntry>> everyEntry(const QString& order);
    // False (and the problem set) when any entry breaks HistoryEntry::isValid().
    bool allValid(const QList<HistoryEntry>& entries);
    bool run(UserDatabase::Access access, const UserDatabase::Operation& operation);

    UserDatabase m_db;
    bool m_invalidEntry = false; // the last call was given an entry that breaks isValid()
    QString m_invalidDetail;
};
