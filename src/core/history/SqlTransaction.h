#pragma once

#include <QSqlDatabase>
#include <QSqlError>

// One write transaction, begun with the write lock taken at once (so two writers never both
// read and then both wait to write). Rolled back unless committed.
class SqlTransaction
{
public:
    explicit SqlTransaction(const QSqlDatabase& db);
    ~SqlTransaction();
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;

    bool begun() const { return m_begun; }
    bool commit();
    // Why beginning or committing failed.
    const QSqlError& error() const { return m_error; }

private:
    bool exec(const QString& statement);

    QSqlDatabase m_db;
    QSqlError m_error;
    bool m_begun = false;
};
