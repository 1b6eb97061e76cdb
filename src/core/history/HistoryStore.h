#pragma once

#include "core/history/HistoryEntry.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QSqlDatabase;
class QSqlError;

// The results history: an SQLite database of its own in the user's data folder, apart from
// the settings store. Entries are kept under the profile name as recorded, so renaming or
// deleting a profile leaves its history alone; names are compared exactly (letter case too).
//
// Nothing happens on construction: the database is opened by the first call that needs it,
// and merely reading never creates it. A damaged or unreadable file is moved aside under a
// new name (with its -wal/-shm companions) and a new database takes its place; the new name
// is reported once through takeMovedAside(). A database written by a newer program is left
// untouched and neither read nor written.
//
// Every write is one transaction. The journal is a write-ahead log synced at every commit, so
// a crash, or a power loss on storage that honours a flush, costs at most the entry being
// written.
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
    // (QStandardPaths::AppDataLocation, found on first use); otherwise in the given folder.
    explicit HistoryStore(const QString& folder = QString());
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    static QString fileName() { return QStringLiteral("history.sqlite"); }
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
    // Adds each entry unless one of the same profile name, moment (to the millisecond) and
    // inputs is stored already; all or, on any failure, none. Returns how many were added.
    std::optional<int> addMissing(const QList<HistoryEntry>& entries);
    // Replaces every entry with these, each under its own id (a new one where it is 0); all
    // or, on any failure, nothing changes.
    bool replaceAll(const QList<HistoryEntry>& entries);

    // Why the last call failed (None after a success).
    Problem problem() const { return m_problem; }
    // The folder and the engine's message for that failure, for a log or a detail line.
    QString problemDetail() const { return m_detail; }
    // Where damaged databases were moved since this was last asked; each is returned once.
    QStringList takeMovedAside();

private:
    enum class Access
    {
        Existing, // a missing database means "nothing stored"
        Create    // a missing database is created
    };
    enum class Opened
    {
        Ready,
        NoDatabase, // nothing stored yet (reading only)
        Damaged,    // to be moved aside
        Failed      // m_problem says why
    };
    enum class FileState
    {
        Missing,
        Usable,
        Damaged,
        Refused
    };

    // Runs one operation on the open database. An error that shows damage moves the
    // database aside and runs the operation once more on a new one.
    template <typename Operation> bool run(Access access, Operation&& operation);
    void begin();
    Opened open(Access access);
    Opened openFile(Access access);
    Opened prepare(Access access);
    FileState inspect(const QString& path) const;
    bool create(const QString& path);
    bool setAside();
    // False (and the problem set) when any entry breaks HistoryEntry::isValid().
    bool allValid(const QList<HistoryEntry>& entries);
    void close();
    bool fail(Problem problem, const QString& detail);
    bool fail(const QSqlError& error);

    QString m_folder; // empty: the user's data folder
    QString m_connection;
    bool m_connected = false; // the connection is registered with Qt SQL
    bool m_ready = false;     // open, checked and at the newest schema
    Problem m_problem = Problem::None;
    QString m_detail;
    QStringList m_movedAside;
};
