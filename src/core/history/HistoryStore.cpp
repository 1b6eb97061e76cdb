#include "core/history/HistoryStore.h"

#include "core/history/SchemaMigration.h"
#include "core/history/SqlTransaction.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <utility>

namespace {

const QString driverName = QStringLiteral("QSQLITE");
// Some 7,000 entries; checking them takes a few ms.
constexpr qint64 checkedWholeUpTo = 1 << 20;
const QByteArray sqliteHeader("SQLite format 3\0", 16);
// The write-ahead log first: a log left beside a new database would be read into it.
const QStringList companions = {QStringLiteral("-wal"), QStringLiteral("-journal"),
                                QStringLiteral("-shm")};

// The schema, step by step: step n turns version n into n + 1. Steps are only ever added.
QList<QStringList> historySteps()
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
    };
}

const QString entryColumns = QStringLiteral(
    "recorded_ms, profile, sex, calendar_age, body_mass, systolic, diastolic, breath_hold, "
    "balance, statements, rating, health_index, biological_age, proper_age, age_difference, "
    "verdict");

// SQLite result codes that say the file itself is spoiled (the driver reports the code).
bool showsDamage(const QSqlError& error)
{
    constexpr int corrupt = 11;
    constexpr int notADatabase = 26;
    bool isNumber = false;
    const int code = error.nativeErrorCode().toInt(&isNumber) & 0xff;
    return isNumber && (code == corrupt || code == notADatabase);
}

// A null string is bound as NULL; the empty name is a name like any other.
QString boundText(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

QString statementsText(const AssessmentRecord& inputs)
{
    QString text;
    for (int state : inputs.statements)
        text += QChar(u'0' + state);
    return text;
}

void bindEntry(QSqlQuery& q, const HistoryEntry& e)
{
    const AssessmentRecord& in = e.inputs;
    for (const QVariant& value :
         {QVariant(e.recordedAt.toMSecsSinceEpoch()), QVariant(boundText(e.profileName)),
          QVariant(in.sex == Sex::Male ? 0 : 1), QVariant(in.calendarAge), QVariant(in.bodyMass),
          QVariant(in.systolicPressure), QVariant(in.diastolicPressure), QVariant(in.breathHold),
          QVariant(in.balance), QVariant(statementsText(in)), QVariant(in.healthRating),
          QVariant(e.healthIndex), QVariant(e.biologicalAge.raw()),
          QVariant(e.properBiologicalAge.raw()), QVariant(e.ageDifference.raw()),
          QVariant(e.verdictCase)})
        q.addBindValue(value);
}

// The columns of entryColumns, preceded by the id.
HistoryEntry readEntry(const QSqlQuery& q)
{
    HistoryEntry e;
    AssessmentRecord& in = e.inputs;
    int c = 0;
    const auto next = [&q, &c] { return q.value(c++); };
    e.id = next().toLongLong();
    e.recordedAt = QDateTime::fromMSecsSinceEpoch(next().toLongLong(), Qt::UTC);
    e.profileName = next().toString();
    in.sex = next().toInt() == 0 ? Sex::Male : Sex::Female;
    in.calendarAge = next().toInt();
    in.bodyMass = next().toInt();
    in.systolicPressure = next().toInt();
    in.diastolicPressure = next().toInt();
    in.breathHold = next().toInt();
    in.balance = next().toInt();
    const QString states = next().toString();
    for (int i = 0; i < AssessmentRecord::StatementCount; ++i)
        in.statements[i] = i < states.size() ? qBound(0, states.at(i).unicode() - u'0', 2) : 0;
    in.healthRating = next().toInt();
    e.healthIndex = next().toInt();
    e.biologicalAge = FixedPoint::fromRaw(next().toLongLong());
    e.properBiologicalAge = FixedPoint::fromRaw(next().toLongLong());
    e.ageDifference = FixedPoint::fromRaw(next().toLongLong());
    e.verdictCase = next().toInt();
    return e;
}

// One write: the statement prepared once, then bound and run by `execute`, all in one
// transaction. False from `execute` means the statement's own error.
template <typename Execute>
QSqlError write(const QSqlDatabase& db, const QString& statement, Execute&& execute)
{
    SqlTransaction transaction(db);
    if (!transaction.begun())
        return transaction.error();
    QSqlQuery q(db);
    if (!q.prepare(statement) || !execute(q))
        return q.lastError();
    return transaction.commit() ? QSqlError() : transaction.error();
}

// Every row of a query with at most one bound value. `rows` is filled only when the whole
// read succeeded: rows read before damage was met must not pass for a history.
template <typename Row, typename Read>
QSqlError readAll(const QSqlDatabase& db, const QString& statement, const QVariant& value,
                  QList<Row>& rows, Read&& read)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(statement))
        return q.lastError();
    if (value.isValid())
        q.addBindValue(value);
    if (!q.exec())
        return q.lastError();
    QList<Row> found;
    while (q.next())
        found.append(read(q));
    if (q.lastError().isValid())
        return q.lastError();
    rows = std::move(found);
    return QSqlError();
}

// Something is at the path, even a link that leads nowhere.
bool occupied(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

HistoryStore::HistoryStore(const QString& folder) : m_folder(folder)
{
    static QAtomicInteger<quint64> stores;
    m_connection = QStringLiteral("kalder-vitalon-history-%1").arg(++stores);
}

HistoryStore::~HistoryStore()
{
    close();
}

QString HistoryStore::location() const
{
    const QString folder = m_folder.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                               : m_folder;
    return folder.isEmpty() ? QString() : QDir(folder).filePath(fileName());
}

std::optional<qint64> HistoryStore::add(const HistoryEntry& entry)
{
    const auto ids = addAll({entry});
    if (!ids)
        return std::nullopt;
    return ids->constFirst();
}

std::optional<QList<qint64>> HistoryStore::addAll(const QList<HistoryEntry>& entries)
{
    begin();
    if (!allValid(entries))
        return std::nullopt;
    const QString insert =
        QStringLiteral("INSERT INTO entry (%1) VALUES (%2)")
            .arg(entryColumns, QStringList(16, QStringLiteral("?")).join(QLatin1Char(',')));
    QList<qint64> ids;
    const bool ok = run(Access::Create, [&](const QSqlDatabase& db) {
        ids.clear();
        return write(db, insert, [&](QSqlQuery& q) {
            for (const HistoryEntry& e : entries) {
                bindEntry(q, e);
                if (!q.exec())
                    return false;
                ids.append(q.lastInsertId().toLongLong());
            }
            return true;
        });
    });
    if (!ok)
        return std::nullopt;
    return ids;
}

std::optional<QList<HistoryEntry>> HistoryStore::entries(const QString& profileName)
{
    begin();
    QList<HistoryEntry> found;
    const bool ok = run(Access::Existing, [&](const QSqlDatabase& db) {
        return readAll(db,
                       QStringLiteral("SELECT id, %1 FROM entry WHERE profile = ? "
                                      "ORDER BY recorded_ms DESC, id DESC")
                           .arg(entryColumns),
                       boundText(profileName), found, readEntry);
    });
    if (!ok)
        return std::nullopt;
    return found;
}

bool HistoryStore::remove(qint64 id)
{
    begin();
    return run(Access::Existing, [&](const QSqlDatabase& db) {
        return write(db, QStringLiteral("DELETE FROM entry WHERE id = ?"), [id](QSqlQuery& q) {
            q.addBindValue(id);
            return q.exec();
        });
    });
}

std::optional<QStringList> HistoryStore::profileNames()
{
    begin();
    QStringList names;
    const bool ok = run(Access::Existing, [&](const QSqlDatabase& db) {
        return readAll(db, QStringLiteral("SELECT DISTINCT profile FROM entry ORDER BY profile"),
                       QVariant(), names, [](const QSqlQuery& q) { return q.value(0).toString(); });
    });
    if (!ok)
        return std::nullopt;
    return names;
}

std::optional<QList<HistoryEntry>> HistoryStore::allEntries()
{
    begin();
    QList<HistoryEntry> found;
    const bool ok = run(Access::Existing, [&](const QSqlDatabase& db) {
        return readAll(db, QStringLiteral("SELECT id, %1 FROM entry ORDER BY id").arg(entryColumns),
                       QVariant(), found, readEntry);
    });
    if (!ok)
        return std::nullopt;
    return found;
}

std::optional<int> HistoryStore::addMissing(const QList<HistoryEntry>& entries)
{
    begin();
    if (!allValid(entries))
        return std::nullopt;
    // The index on (profile, recorded_ms) finds a stored twin at once; the results follow
    // from the inputs, so they need no comparing.
    const QString insert =
        QStringLiteral("INSERT INTO entry (%1) SELECT %2 WHERE NOT EXISTS (SELECT 1 FROM entry"
                       " WHERE profile = ? AND recorded_ms = ? AND sex = ? AND calendar_age = ?"
                       " AND body_mass = ? AND systolic = ? AND diastolic = ? AND breath_hold = ?"
                       " AND balance = ? AND statements = ? AND rating = ?)")
            .arg(entryColumns, QStringList(16, QStringLiteral("?")).join(QLatin1Char(',')));
    int added = 0;
    const bool ok = run(Access::Create, [&](const QSqlDatabase& db) {
        added = 0;
        return write(db, insert, [&](QSqlQuery& q) {
            for (const HistoryEntry& e : entries) {
                bindEntry(q, e);
                const AssessmentRecord& in = e.inputs;
                for (const QVariant& value :
                     {QVariant(boundText(e.profileName)),
                      QVariant(e.recordedAt.toMSecsSinceEpoch()),
                      QVariant(in.sex == Sex::Male ? 0 : 1), QVariant(in.calendarAge),
                      QVariant(in.bodyMass), QVariant(in.systolicPressure),
                      QVariant(in.diastolicPressure), QVariant(in.breathHold), QVariant(in.balance),
                      QVariant(statementsText(in)), QVariant(in.healthRating)})
                    q.addBindValue(value);
                if (!q.exec())
                    return false;
                added += q.numRowsAffected() > 0 ? 1 : 0;
            }
            return true;
        });
    });
    if (!ok)
        return std::nullopt;
    return added;
}

bool HistoryStore::replaceAll(const QList<HistoryEntry>& entries)
{
    begin();
    if (!allValid(entries))
        return false;
    const QString insert =
        QStringLiteral("INSERT INTO entry (id, %1) VALUES (%2)")
            .arg(entryColumns, QStringList(17, QStringLiteral("?")).join(QLatin1Char(',')));
    return run(Access::Create, [&](const QSqlDatabase& db) {
        SqlTransaction transaction(db);
        if (!transaction.begun())
            return transaction.error();
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("DELETE FROM entry")) || !q.prepare(insert))
            return q.lastError();
        for (const HistoryEntry& e : entries) {
            q.addBindValue(e.id > 0 ? QVariant(e.id) : QVariant(QMetaType(QMetaType::LongLong)));
            bindEntry(q, e);
            if (!q.exec())
                return q.lastError();
        }
        return transaction.commit() ? QSqlError() : transaction.error();
    });
}

bool HistoryStore::allValid(const QList<HistoryEntry>& entries)
{
    for (const HistoryEntry& e : entries) {
        if (!e.isValid())
            return fail(Problem::InvalidEntry,
                        QStringLiteral("invalid entry for \"%1\"").arg(e.profileName));
    }
    return true;
}

QStringList HistoryStore::takeMovedAside()
{
    return std::exchange(m_movedAside, {});
}

void HistoryStore::begin()
{
    m_problem = Problem::None;
    m_detail.clear();
}

template <typename Operation> bool HistoryStore::run(Access access, Operation&& operation)
{
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
        if (!showsDamage(error) || attempt > 0)
            return fail(error);
        if (!setAside())
            return false;
    }
    return false;
}

HistoryStore::Opened HistoryStore::open(Access access)
{
    if (m_ready)
        return Opened::Ready;
    // A damaged database is moved aside once per call; a new one that fails too is refused.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const Opened opened = openFile(access);
        if (opened != Opened::Damaged)
            return opened;
        if (attempt > 0 || !setAside())
            break;
    }
    close();
    if (m_problem == Problem::None)
        fail(Problem::Unavailable, QStringLiteral("a new database could not be used either"));
    return Opened::Failed;
}

HistoryStore::Opened HistoryStore::openFile(Access access)
{
    const QString path = location();
    if (path.isEmpty()) {
        fail(Problem::Unavailable, QStringLiteral("no data folder is known"));
        return Opened::Failed;
    }
    switch (inspect(path)) {
    case FileState::Missing:
        if (access == Access::Existing)
            return Opened::NoDatabase;
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
    if (!QSqlDatabase::isDriverAvailable(driverName)) {
        fail(Problem::Unavailable,
             QStringLiteral("the Qt SQL driver %1 is missing").arg(driverName));
        return Opened::Failed;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driverName, m_connection);
        m_connected = true;
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=1000"));
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
    return prepared;
}

// Checks the open database and brings it to the newest schema.
HistoryStore::Opened HistoryStore::prepare(Access access)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlError error;
    {
        // Synced at every commit: a power loss, not only a crash, keeps every entry reported
        // as recorded. Writes are rare and small, so the sync costs nothing a user notices.
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("PRAGMA synchronous = FULL")))
            error = q.lastError();
    }
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
    SchemaMigration migration(historySteps());
    switch (migration.run(db)) {
    case SchemaMigration::Outcome::Current:
        break;
    case SchemaMigration::Outcome::Unknown:
        return Opened::Damaged;
    case SchemaMigration::Outcome::Newer:
        fail(Problem::NewerDatabase, QStringLiteral("%1: schema version %2, this program knows %3")
                                         .arg(location())
                                         .arg(migration.foundVersion())
                                         .arg(migration.latest()));
        return Opened::Failed;
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
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    return Opened::Ready;
}

HistoryStore::FileState HistoryStore::inspect(const QString& path) const
{
    const QFileInfo info(path);
    if (!occupied(path))
        return occupied(path + companions.constFirst()) ? FileState::Damaged : FileState::Missing;
    // A folder, a pipe or a device in its place, or a link that leads nowhere.
    if (!info.isFile())
        return FileState::Damaged;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        // Out of file handles is this process's trouble, not the file's.
        return file.error() == QFileDevice::ResourceError ? FileState::Refused : FileState::Damaged;
    }
    const QByteArray head = file.read(sqliteHeader.size());
    if (file.error() != QFileDevice::NoError)
        return FileState::Refused;
    // An empty file is an empty database (so is one this store created and then lost power).
    return head.isEmpty() || head == sqliteHeader ? FileState::Usable : FileState::Damaged;
}

bool HistoryStore::create(const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(Problem::Unavailable, folder + QStringLiteral(": the folder cannot be made"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo(path).isFile())
            return true; // another store made it meanwhile
        return fail(Problem::Unavailable, path + QStringLiteral(": ") + file.errorString());
    }
    // Health data, for the owner only; the engine gives its journal files the same mode.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

bool HistoryStore::setAside()
{
    close();
    const QString path = location();
    const QDir folder = QFileInfo(path).dir();
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString reason;
    for (int n = 1; n <= 100; ++n) {
        const QString target =
            folder.filePath(QStringLiteral("history.damaged-%1%2.sqlite")
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

void HistoryStore::close()
{
    m_ready = false;
    if (!m_connected)
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
    m_connected = false;
}

bool HistoryStore::fail(Problem problem, const QString& detail)
{
    m_problem = problem;
    m_detail = detail;
    return false;
}

bool HistoryStore::fail(const QSqlError& error)
{
    return fail(Problem::Unavailable, location() + QStringLiteral(": ") + error.text());
}
