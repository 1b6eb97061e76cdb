#include "core/history/HistoryStore.h"

#include "core/history/SqlTransaction.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <utility>

namespace {

const QString entryColumns = QStringLiteral(
    "recorded_ms, profile, sex, calendar_age, body_mass, systolic, diastolic, breath_hold, "
    "balance, statements, rating, health_index, biological_age, proper_age, age_difference, "
    "verdict");

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

} // namespace

HistoryStore::HistoryStore(const QString& folder) : m_db(folder) {}

HistoryStore::~HistoryStore() = default;

QString HistoryStore::location() const
{
    return m_db.location();
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
    const bool ok = run(UserDatabase::Access::Create, [&](const QSqlDatabase& db) {
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
    const bool ok = run(UserDatabase::Access::Existing, [&](const QSqlDatabase& db) {
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
    return run(UserDatabase::Access::Existing, [&](const QSqlDatabase& db) {
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
    const bool ok = run(UserDatabase::Access::Existing, [&](const QSqlDatabase& db) {
        return readAll(db, QStringLiteral("SELECT DISTINCT profile FROM entry ORDER BY profile"),
                       QVariant(), names, [](const QSqlQuery& q) { return q.value(0).toString(); });
    });
    if (!ok)
        return std::nullopt;
    return names;
}

std::optional<QList<HistoryEntry>> HistoryStore::allEntries()
{
    return everyEntry(QStringLiteral("id"));
}

std::optional<QList<HistoryEntry>> HistoryStore::allEntriesByProfile()
{
    // The index on (profile, recorded_ms, id) gives this order without a sort.
    return everyEntry(QStringLiteral("profile, recorded_ms, id"));
}

std::optional<QList<HistoryEntry>> HistoryStore::everyEntry(const QString& order)
{
    begin();
    QList<HistoryEntry> found;
    const bool ok = run(UserDatabase::Access::Existing, [&](const QSqlDatabase& db) {
        return readAll(
            db, QStringLiteral("SELECT id, %1 FROM entry ORDER BY %2").arg(entryColumns, order),
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
    const bool ok = run(UserDatabase::Access::Create, [&](const QSqlDatabase& db) {
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
    return run(UserDatabase::Access::Create, [&](const QSqlDatabase& db) {
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
        if (!e.isValid()) {
            m_invalidEntry = true;
            m_invalidDetail = QStringLiteral("invalid entry for \"%1\"").arg(e.profileName);
            return false;
        }
    }
    return true;
}

QStringList HistoryStore::takeMovedAside()
{
    return m_db.takeMovedAside();
}

void HistoryStore::begin()
{
    m_invalidEntry = false;
}

bool HistoryStore::run(UserDatabase::Access access, const UserDatabase::Operation& operation)
{
    return m_db.run(access, operation);
}

HistoryStore::Problem HistoryStore::problem() const
{
    if (m_invalidEntry)
        return Problem::InvalidEntry;
    switch (m_db.problem()) {
    case UserDatabase::Problem::None:
        break;
    case UserDatabase::Problem::Unavailable:
        return Problem::Unavailable;
    case UserDatabase::Problem::NewerDatabase:
        return Problem::NewerDatabase;
    }
    return Problem::None;
}

QString HistoryStore::problemDetail() const
{
    return m_invalidEntry ? m_invalidDetail : m_db.problemDetail();
}
