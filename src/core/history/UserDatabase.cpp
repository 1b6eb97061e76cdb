#include "core/history/UserDatabase.h"

#include "core/history/SchemaMigration.h"

#include <QAtomicInteger>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <utility>

namespace {

const QString driverName = QStringLiteral("QSQLITE");
// Some 7,000 history entries or 300 profiles; checking them takes a few ms.
constexpr qint64 checkedWholeUpTo = 1 << 20;
const QByteArray sqliteHeader("SQLite format 3\0", 16);
// The write-ahead log first: a log left beside a new database would be read into it.
const QStringList companions = {QStringLiteral("-wal"), QStringLiteral("-journal"),
                                QStringLiteral("-shm")};

QString& userFolderOverride()
{
    static QString folder;
    return folder;
}

// The schema, step by step: step n turns version n into n + 1. Steps are only ever added.
QList<QStringList> schemaSteps()
{
    return {
        {
            QStringLiteral("CREATE TABLE entry ("
                           " id INTEGER PRIMARY KEY AUTOINCREMENT," // never reused after a delete
                           " recorded_ms INTEGER NOT NULL,"         // UTC, ms since 1970
                           " profile TEXT NOT NULL,"
                           " sex INTEGER NOT NULL CHECK (sex IN (0, 1)),"
                           " calendar_age INTEGER NOT NULL,"
                           " body_mass INTEGER NOT NULL,"
                           " systolic INTEGER NOT NULL,"
                           " diastolic INTEGER NOT NULL,"
                           " breath_hold INTEGER NOT NULL,"
                           " balance INTEGER NOT NULL,"
                           " statements TEXT NOT NULL"
                           "  CHECK (length(statements) = 27 AND statements NOT GLOB '*[^012]*'),"
                           " rating INTEGER NOT NULL CHECK (rating BETWEEN -1 AND 3),"
                           " health_index INTEGER NOT NULL,"
                           " biological_age INTEGER NOT NULL," // ten-thousandths of a year
                           " proper_age INTEGER NOT NULL,"
                           " age_difference INTEGER NOT NULL,"
                           " verdict INTEGER NOT NULL CHECK (verdict BETWEEN 0 AND 5))"),
            // One profile's entries, newest first, without a sort.
            QStringLiteral("CREATE INDEX entry_by_profile ON entry (profile, recorded_ms, id)"),
        },
        {
            // The settings store: every application, section path ("/"-separated) and key
            // with its text, exactly as the store's users name them.
            QStringLiteral("CREATE TABLE setting ("
                           " application TEXT NOT NULL,"
                           " section TEXT NOT NULL,"
                           " key TEXT NOT NULL,"
                           " value TEXT NOT NULL,"
                           " PRIMARY KEY (application, section, key)) WITHOUT ROWID"),
            // Which application's settings file of earlier versions has been carried over,
            // so that it is read only once.
            QStringLiteral("CREATE TABLE settings_carried_over ("
                           " application TEXT PRIMARY KEY,"
                           " source TEXT NOT NULL,"
                           " carried_ms INTEGER NOT NULL)"),
            QStringLiteral("PRAGMA application_id = %1").arg(UserDatabase::applicationId),
        },
    };
}

// Something is at the path, even a link that leads nowhere.
bool occupied(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

UserDatabase::UserDatabase(const QString& folder) : m_folder(folder)
{
    static QAtomicInteger<quint64> connections;
    m_connection = QStringLiteral("kalder-vitalon-data-%1").arg(++connections);
}

UserDatabase::~UserDatabase()
{
    close();
}

QString UserDatabase::userFolder()
{
    const QString& set = userFolderOverride();
    return set.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : set;
}

void UserDatabase::setUserFolder(const QString& folder)
{
    userFolderOverride() = folder;
}

QString UserDatabase::location() const
{
    const QString folder = m_folder.isEmpty() ? userFolder() : m_folder;
    return folder.isEmpty() ? QString() : QDir(folder).filePath(fileName());
}

bool UserDatabase::showsDamage(const QSqlError& error)
{
    constexpr int corrupt = 11;
    constexpr int notADatabase = 26;
    bool isNumber = false;
    const int code = error.nativeErrorCode().toInt(&isNumber) & 0xff;
    return isNumber && (code == corrupt || code == notADatabase);
}

QStringList UserDatabase::takeMovedAside()
{
    return std::exchange(m_movedAside, {});
}

bool UserDatabase::run(Access access, const Operation& operation)
{
    m_problem = Problem::None;
    m_detail.clear();
    for (int attempt = 0; attempt < 2; ++attempt) {
        switch (open(access)) {
        case Opened::Ready:
            break;
        case Opened::NoDatabase:
            return true;
        default:
            return false;
        }
        const QSqlError error = operation(QSqlDatabase::database(m_connection, false));
        if (!error.isValid())
            return true;
        if (!showsDamage(error) || attempt > 0 || access == Access::Peek)
            return fail(error);
        if (!setAside())
            return false;
    }
    return false;
}

UserDatabase::Opened UserDatabase::open(Access access)
{
    const bool readOnly = access == Access::Peek;
    if (m_ready && m_readOnly == readOnly)
        return Opened::Ready;
    close();
    for (int attempt = 0; attempt < 2; ++attempt) {
        const Opened opened = openFile(access);
        if (opened != Opened::Damaged) {
            m_readOnly = readOnly;
            return opened;
        }
        if (readOnly) {
            close();
            fail(Problem::Unavailable, location() + QStringLiteral(": damaged, left as it is"));
            return Opened::Failed;
        }
        if (attempt > 0 || !setAside())
            break;
    }
    close();
    if (m_problem == Problem::None)
        fail(Problem::Unavailable, QStringLiteral("a new database could not be used either"));
    return Opened::Failed;
}

UserDatabase::Opened UserDatabase::openFile(Access access)
{
    const QString path = location();
    if (path.isEmpty()) {
        fail(Problem::Unavailable, QStringLiteral("no data folder is known"));
        return Opened::Failed;
    }
    if (access != Access::Peek && !occupied(path) && !occupied(path + companions.constFirst()) &&
        !adoptEarlierHistory(path))
        return Opened::Failed;
    const FileState state = inspect(path);
    // Reading where nothing is stored yet needs no driver.
    if (state == FileState::Missing && access != Access::Create)
        return Opened::NoDatabase;
    if (!requireDriver())
        return Opened::Failed;
    switch (state) {
    case FileState::Missing:
        if (!create(path))
            return Opened::Failed;
        break;
    case FileState::Usable:
        break;
    case FileState::Damaged:
        return Opened::Damaged;
    case FileState::Refused:
        fail(Problem::Unavailable, path + QStringLiteral(": cannot be opened just now"));
        return Opened::Failed;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driverName, m_connection);
        m_connected = true;
        db.setDatabaseName(path);
        db.setConnectOptions(
            QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs) +
            (access == Access::Peek ? QStringLiteral(";QSQLITE_OPEN_READONLY") : QString()));
        if (!db.open()) {
            const QSqlError error = db.lastError();
            db = QSqlDatabase();
            close();
            if (showsDamage(error))
                return Opened::Damaged;
            fail(error);
            return Opened::Failed;
        }
    }
    const Opened prepared = prepare(access);
    if (prepared != Opened::Ready)
        close();
    m_ready = prepared == Opened::Ready;
    if (m_ready)
        ++m_openings;
    return prepared;
}

// Checks the open database and brings it to the newest schema.
UserDatabase::Opened UserDatabase::prepare(Access access)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlError error;
    qint64 owner = 0;
    {
        // Synced at every commit: a power loss, not only a crash, keeps every write reported
        // as done. Writes are rare and small, so the sync costs nothing a user notices.
        QSqlQuery q(db);
        if (access != Access::Peek && !q.exec(QStringLiteral("PRAGMA synchronous = FULL")))
            error = q.lastError();
        else if (!q.exec(QStringLiteral("PRAGMA application_id")) || !q.next())
            error = q.lastError();
        else
            owner = q.value(0).toLongLong();
    }
    // Another program's file (a history of earlier versions carries no id yet).
    if (!error.isValid() && owner != 0 && owner != applicationId)
        return Opened::Damaged;
    // A small file is read whole once per opening, so that damage anywhere is moved aside
    // before anything is written into it. In a larger one that would cost tens of ms; there
    // damage is met where it is used, and handled just the same (see run()).
    if (!error.isValid() && QFileInfo(location()).size() <= checkedWholeUpTo) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next())
            error = q.lastError();
        else if (q.value(0).toString() != QStringLiteral("ok"))
            return Opened::Damaged;
    }
    if (error.isValid()) {
        if (showsDamage(error))
            return Opened::Damaged;
        fail(error);
        return Opened::Failed;
    }
    SchemaMigration migration(schemaSteps());
    const auto refuseVersion = [&](Problem problem) {
        fail(problem, QStringLiteral("%1: schema version %2, this program knows %3")
                          .arg(location())
                          .arg(migration.foundVersion())
                          .arg(migration.latest()));
        return Opened::Failed;
    };
    switch (access == Access::Peek ? migration.check(db) : migration.run(db)) {
    case SchemaMigration::Outcome::Current:
        break;
    case SchemaMigration::Outcome::Behind: // left for an opening that may migrate it
        return refuseVersion(Problem::Unavailable);
    case SchemaMigration::Outcome::Unknown:
        return Opened::Damaged;
    case SchemaMigration::Outcome::Newer:
        return refuseVersion(Problem::NewerDatabase);
    case SchemaMigration::Outcome::Failed:
        if (showsDamage(migration.error()))
            return Opened::Damaged;
        // An empty database that cannot be given its tables just now holds nothing to read.
        if (access == Access::Existing && migration.foundVersion() == 0)
            return Opened::NoDatabase;
        fail(migration.error());
        return Opened::Failed;
    }
    // Only now, so that a database this program may not write is left exactly as it was.
    // Where the file system offers no shared memory the engine stays with its rollback
    // journal, which is just as safe.
    if (access != Access::Peek) {
        QSqlQuery q(db);
        q.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    }
    return Opened::Ready;
}

UserDatabase::FileState UserDatabase::inspect(const QString& path) const
{
    const QFileInfo info(path);
    if (!occupied(path))
        return occupied(path + companions.constFirst()) ? FileState::Damaged : FileState::Missing;
    // A folder, a pipe or a device in its place, or a link that leads nowhere.
    if (!info.isFile())
        return FileState::Damaged;
    // A file that cannot be opened (no permission, no file handles) may hold good data.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileState::Refused;
    const QByteArray head = file.read(sqliteHeader.size());
    if (file.error() != QFileDevice::NoError)
        return FileState::Refused;
    // An empty file is an empty database (so is one created just before a power loss).
    return head.isEmpty() || head == sqliteHeader ? FileState::Usable : FileState::Damaged;
}

bool UserDatabase::requireDriver()
{
    if (QSqlDatabase::isDriverAvailable(driverName))
        return true;
    return fail(Problem::Unavailable,
                QStringLiteral("the Qt SQL driver %1 is missing").arg(driverName));
}

// Where there is no database yet, the history of earlier versions becomes it: its write-ahead
// log is folded in first, so that the one file holds everything and a single rename moves it.
// A damaged one is left where it is, for the user; a new database begins.
bool UserDatabase::adoptEarlierHistory(const QString& path)
{
    const QString earlier = QFileInfo(path).dir().filePath(earlierHistoryFileName());
    if (!QFileInfo(earlier).isFile())
        return true;
    if (!requireDriver())
        return false;
    QSqlError error;
    QString mode;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driverName, m_connection);
        db.setDatabaseName(earlier);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
        if (!db.open()) {
            error = db.lastError();
        } else {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("PRAGMA journal_mode = DELETE")) || !q.next())
                error = q.lastError();
            else
                mode = q.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    if (showsDamage(error))
        return true;
    if (error.isValid())
        return fail(Problem::Unavailable, earlier + QStringLiteral(": ") + error.text());
    for (const QString& suffix : companions) {
        if (occupied(earlier + suffix) || mode != QStringLiteral("delete"))
            return fail(Problem::Unavailable,
                        earlier + QStringLiteral(": its journal could not be folded in"));
    }
    QFile file(earlier);
    if (!file.rename(path) && !occupied(path))
        return fail(Problem::Unavailable, earlier + QStringLiteral(": ") + file.errorString());
    return true;
}

bool UserDatabase::create(const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(Problem::Unavailable, folder + QStringLiteral(": the folder cannot be made"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo(path).isFile())
            return true; // another connection made it meanwhile
        return fail(Problem::Unavailable, path + QStringLiteral(": ") + file.errorString());
    }
    // Health data, for the owner only; the engine gives its journal files the same mode.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

bool UserDatabase::setAside()
{
    close();
    const QString path = location();
    const QDir folder = QFileInfo(path).dir();
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString reason;
    for (int n = 1; n <= 100; ++n) {
        const QString target =
            folder.filePath(QStringLiteral("kalder-vitalon.damaged-%1%2.sqlite")
                                .arg(stamp, n > 1 ? QStringLiteral("-%1").arg(n) : QString()));
        bool taken = occupied(target);
        for (const QString& suffix : companions)
            taken = taken || occupied(target + suffix);
        if (taken)
            continue;
        // The companions before the database; on any refusal everything goes back.
        QStringList moved;
        bool ok = true;
        for (const QString& suffix : companions + QStringList{QString()}) {
            if (!occupied(path + suffix))
                continue;
            QFile file(path + suffix);
            if (!file.rename(target + suffix)) {
                reason = path + suffix + QStringLiteral(": ") + file.errorString();
                ok = false;
                break;
            }
            moved.append(suffix);
        }
        if (ok) {
            m_movedAside.append(target);
            return true;
        }
        for (const QString& suffix : moved)
            QFile::rename(target + suffix, path + suffix);
        if (!occupied(target))
            break; // refused for another reason than a name taken meanwhile
    }
    return fail(Problem::Unavailable,
                QStringLiteral("a damaged database could not be moved aside: ") + reason);
}

void UserDatabase::close()
{
    m_ready = false;
    if (!m_connected)
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
    m_connected = false;
}

bool UserDatabase::fail(Problem problem, const QString& detail)
{
    m_problem = problem;
    m_detail = detail;
    return false;
}

bool UserDatabase::fail(const QSqlError& error)
{
    return fail(Problem::Unavailable, location() + QStringLiteral(": ") + error.text());
}
