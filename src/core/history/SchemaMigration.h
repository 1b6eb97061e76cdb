#pragma once

#include <QList>
#include <QSqlError>
#include <QStringList>

class QSqlDatabase;

// Brings a database to the newest schema through an ordered list of steps. The version lives
// in the one-row table schema_version; a database without any table is version 0. Step n
// turns version n into n + 1 and runs in a transaction of its own together with the new
// version number, so an interrupted or failed step leaves the database at version n.
class SchemaMigration
{
public:
    enum class Outcome
    {
        Current, // at the newest version (possibly after running steps)
        Newer,   // written by a newer program: nothing was written
        Unknown, // tables of something else, or no readable version: nothing was written
        Behind,  // steps are missing (check() only)
        Failed   // a step or a read failed: see error()
    };

    explicit SchemaMigration(QList<QStringList> steps);

    int latest() const { return static_cast<int>(m_steps.size()); }

    // Reads the version and runs the missing steps.
    Outcome run(QSqlDatabase& db);
    // Only reads the version, for a connection that may not write.
    Outcome check(QSqlDatabase& db);
    // The version found before run() changed anything (-1 if unreadable).
    int foundVersion() const { return m_found; }
    const QSqlError& error() const { return m_error; }

private:
    enum : int
    {
        NoVersion = -1
    };
    // Sets the version, or NoVersion for a database of something else; false if the read failed.
    bool readVersion(QSqlDatabase& db, int& version);
    bool exec(QSqlDatabase& db, const QString& statement);

    QList<QStringList> m_steps;
    QSqlError m_error;
    int m_found = -1;
};
