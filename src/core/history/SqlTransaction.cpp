#include "core/history/SqlTransaction.h"

#include <QSqlQuery>

SqlTransaction::SqlTransaction(const QSqlDatabase& db) : m_db(db)
{
    m_begun = exec(QStringLiteral("BEGIN IMMEDIATE"));
}

SqlTransaction::~SqlTransaction()
{
    // After a failed COMMIT the engine may already have rolled back; then this only fails.
    if (m_begun)
        exec(QStringLiteral("ROLLBACK"));
}

bool SqlTransaction::commit()
{
    if (!m_begun || !exec(QStringLiteral("COMMIT")))
        return false;
    m_begun = false;
    return true;
}

bool SqlTransaction::exec(const QString& statement)
{
    QSqlQuery q(m_db);
    if (q.exec(statement))
        return true;
    m_error = q.lastError();
    return false;
}
