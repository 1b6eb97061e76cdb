#include "core/history/SchemaMigration.h"

#include "core/history/SqlTransaction.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <climits>
#include <utility>

SchemaMigration::SchemaMigration(QList<QStringList> steps) : m_steps(std::move(steps)) {}

bool SchemaMigration::exec(QSqlDatabase& db, const QString& statement)
{
    QSqlQuery q(db);
    if (q.exec(statement))
        return true;
    m_error = q.lastError();
    return false;
}

bool SchemaMigration::readVersion(QSqlDatabase& db, int& version)
{
    QSqlQuery q(db);
    // The engine's own objects (sqlite_sequence and the like) say nothing about whose file it is.
    if (!q.exec(QStringLiteral("SELECT count(*), coalesce(sum(type = 'table' AND name = "
                               "'schema_version'), 0) FROM sqlite_master "
                               "WHERE name NOT LIKE 'sqlite\\_%' ESCAPE '\\'")) ||
        !q.next()) {
        m_error = q.lastError();
        return false;
    }
    const qint64 objects = q.value(0).toLongLong();
    const bool hasVersionTable = q.value(1).toLongLong() == 1;
    if (objects == 0) {
        version = 0;
        return true;
    }
    if (!hasVersionTable) {
        version = NoVersion;
        return true;
    }
    if (!q.exec(QStringLiteral("SELECT count(*), max(version) FROM schema_version")) || !q.next()) {
        // A plain SQL error (no such column) means a table of that name but not ours.
        constexpr int sqlError = 1;
        if ((q.lastError().nativeErrorCode().toInt() & 0xff) == sqlError) {
            version = NoVersion;
            return true;
        }
        m_error = q.lastError();
        return false;
    }
    bool isNumber = false;
    const qint64 found = q.value(1).toLongLong(&isNumber);
    version = q.value(0).toLongLong() == 1 && isNumber && found >= 0 && found <= INT_MAX
                  ? static_cast<int>(found)
                  : NoVersion;
    return true;
}

SchemaMigration::Outcome SchemaMigration::check(QSqlDatabase& db)
{
    m_error = QSqlError();
    m_found = NoVersion;
    if (!readVersion(db, m_found))
        return Outcome::Failed;
    if (m_found == NoVersion)
        return Outcome::Unknown;
    if (m_found > latest())
        return Outcome::Newer;
    return m_found == latest() ? Outcome::Current : Outcome::Behind;
}

SchemaMigration::Outcome SchemaMigration::run(QSqlDatabase& db)
{
    m_error = QSqlError();
    m_found = NoVersion;
    int version = 0;
    if (!readVersion(db, version))
        return Outcome::Failed;
    m_found = version;
    for (;;) {
        if (version == NoVersion)
            return Outcome::Unknown;
        if (version > latest())
            return Outcome::Newer;
        if (version == latest())
            return Outcome::Current;
        // The version is read again under the write lock: another connection may have
        // taken the step meanwhile.
        SqlTransaction transaction(db);
        if (!transaction.begun()) {
            m_error = transaction.error();
            return Outcome::Failed;
        }
        int locked = 0;
        bool ok = readVersion(db, locked);
        const bool stepHere = ok && locked == version;
        if (stepHere) {
            ok = exec(db,
                      QStringLiteral(
                          "CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)"));
            for (const QString& statement : m_steps.at(version))
                ok = ok && exec(db, statement);
            ok = ok && exec(db, QStringLiteral("DELETE FROM schema_version")) &&
                 exec(db, QStringLiteral("INSERT INTO schema_version (version) VALUES (%1)")
                              .arg(version + 1));
        }
        if (ok && !transaction.commit()) {
            m_error = transaction.error();
            ok = false;
        }
        if (!ok)
            return Outcome::Failed;
        version = stepHere ? version + 1 : locked;
    }
}
