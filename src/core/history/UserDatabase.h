#pragma once

#include <QList>
#include <QSqlError>
#include <QString>
#include <QStringList>

#include <functional>

class QSqlDatabase;

// The one SQLite database that holds the user's data (the profiles' settings and the results
// history), and the one place where it is opened, checked, migrated, set aside when damaged
// and closed. Each owner keeps a connection of its own to the same file.
//
// Nothing happens on construction: the database is opened by the first run() that needs it,
// and merely reading never creates it. A history file of earlier versions beside it becomes
// the database when there is none yet.
//
// Damage is what the engine reports as a corrupt file or not a database, a failed quick
// check, or a file of something else: the database is then moved aside under a new name (with
// its -wal/-shm companions), reported once through takeMovedAside(), and a new one begins. A
// file that merely cannot be opened just now (permissions, a lock, no file handles) is refused
// and left exactly as it is, and so is a database written by a newer program.
//
// Every write is one transaction begun IMMEDIATE that waits at most busyTimeoutMs for another
// writer. The journal is a write-ahead log synced at every commit, so a crash, or a power loss
// on storage that honours a flush, costs at most the transaction being written.
//
// Not thread-safe: use it from one thread.
class UserDatabase
{
public:
    enum class Problem
    {
        None,
        Unavailable,  // the folder or the file refused (no room, no permission, in use)
        NewerDatabase // written by a newer program; left as it is
    };
    enum class Access
    {
        Existing, // a missing database means "nothing stored"
        Create,   // a missing database is created
        // Read-only, and only a database that is ready as it is: nothing is created, carried
        // in, migrated or set aside. Damage or an older schema is refused (Unavailable) and
        // left for an opening that may repair it. A missing database means "nothing stored".
        Peek
    };

    // "KVit": marks the file as this program's.
    static constexpr qint32 applicationId = 0x4B566974;
    // How long a write waits for another connection's lock before it is refused.
    static constexpr int busyTimeoutMs = 2000;

    // With an empty folder the database lives in userFolder().
    explicit UserDatabase(const QString& folder = QString());
    ~UserDatabase();
    UserDatabase(const UserDatabase&) = delete;
    UserDatabase& operator=(const UserDatabase&) = delete;

    static QString fileName() { return QStringLiteral("kalder-vitalon.sqlite"); }
    // The results history of earlier versions, carried into the database.
    static QString earlierHistoryFileName() { return QStringLiteral("history.sqlite"); }

    // The user's data folder (QStandardPaths::AppDataLocation) unless set otherwise, as a tool
    // or a test does with setUserFolder() (empty: back to the data folder).
    static QString userFolder();
    static void setUserFolder(const QString& folder);
    // The database file; empty when no data folder is known.
    QString location() const;

    // Runs one operation on the open database; the operation returns the engine's error or an
    // invalid one. An error that shows damage moves the database aside and runs the operation
    // once more on a new one. With Access::Existing and no database the operation is not run
    // and the call succeeds. False when refused: problem() says why.
    using Operation = std::function<QSqlError(const QSqlDatabase&)>;
    bool run(Access access, const Operation& operation);

    Problem problem() const { return m_problem; }
    // The folder and the engine's message for the last failure, for a log or a detail line.
    QString problemDetail() const { return m_detail; }
    // Where damaged databases were moved since this was last asked; each is returned once.
    QStringList takeMovedAside();

    // Closes the connection; the next run() opens it again.
    void close();
    // Counts the openings of the connection: what an owner remembers of the database (a
    // cache, PRAGMA data_version) holds only for the opening it was taken in.
    quint64 openings() const { return m_openings; }

    // SQLite result codes that say the file itself is spoiled.
    static bool showsDamage(const QSqlError& error);

private:
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

    Opened open(Access access);
    Opened openFile(Access access);
    Opened prepare(Access access);
    FileState inspect(const QString& path) const;
    bool adoptEarlierHistory(const QString& path);
    bool create(const QString& path);
    bool setAside();
    bool requireDriver();
    bool fail(Problem problem, const QString& detail);
    bool fail(const QSqlError& error);

    QString m_folder; // empty: userFolder()
    QString m_connection;
    bool m_connected = false; // the connection is registered with Qt SQL
    bool m_ready = false;     // open, checked and at the newest schema
    bool m_readOnly = false;  // opened for Access::Peek
    quint64 m_openings = 0;
    Problem m_problem = Problem::None;
    QString m_detail;
    QStringList m_movedAside;
};
