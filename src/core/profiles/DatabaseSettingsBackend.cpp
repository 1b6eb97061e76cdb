#include "core/profiles/DatabaseSettingsBackend.h"

#include "core/history/SqlTransaction.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <utility>

namespace {

// A section and key as one path, split again at its last separator, as QSettings resolves
// "section/key" names.
std::pair<QString, QString> splitKey(const QString& section, const QString& key)
{
    const QString full = SettingsStore::normalisedPath(QString(section + QLatin1Char('/') + key));
    const qsizetype slash = full.lastIndexOf(QLatin1Char('/'));
    return {slash < 0 ? QString() : full.first(slash), full.sliced(slash + 1)};
}

// A null string is bound as NULL; the empty text is a text like any other.
QVariant text(const QString& s)
{
    return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s);
}

bool exec(QSqlQuery& q, std::initializer_list<QVariant> values)
{
    for (const QVariant& v : values)
        q.addBindValue(v);
    return q.exec();
}

} // namespace

DatabaseSettingsBackend::DatabaseSettingsBackend(const QString& folder, const QString& application,
                                                 const QStringList& earlierFiles)
    : m_db(folder), m_application(application), m_earlierFiles(earlierFiles)
{
}

DatabaseSettingsBackend::Sections DatabaseSettingsBackend::readEarlier(const QString& file)
{
    const QSettings earlier(file, QSettings::IniFormat);
    Sections sections;
    const QStringList all = earlier.allKeys();
    for (const QString& full : all) {
        const QVariant value = earlier.value(full);
        if (!value.isValid())
            continue;
        const qsizetype slash = full.lastIndexOf(QLatin1Char('/'));
        sections[slash < 0 ? QString() : full.first(slash)].insert(full.sliced(slash + 1),
                                                                   value.toString());
    }
    return sections;
}

bool DatabaseSettingsBackend::carryOver()
{
    if (m_carried)
        return true;
    QString source;
    for (const QString& file : std::as_const(m_earlierFiles)) {
        if (QFileInfo(file).isFile()) {
            source = file;
            break;
        }
    }
    if (source.isEmpty()) {
        m_carried = true;
        return true;
    }
    const bool ok = m_db.run(UserDatabase::Access::Create, [&](const QSqlDatabase& db) {
        SqlTransaction transaction(db);
        if (!transaction.begun())
            return transaction.error();
        QSqlQuery q(db);
        if (!q.prepare(QStringLiteral(
                "SELECT count(*) FROM settings_carried_over WHERE application = ?")) ||
            !exec(q, {m_application}) || !q.next())
            return q.lastError();
        if (q.value(0).toLongLong() > 0)
            return QSqlError(); // carried over before; this run's transaction writes nothing
        if (!m_earlier)
            m_earlier = readEarlier(source);
        // One statement per section, its keys and texts handed over as one JSON object: a
        // file of 10,000 profiles holds 370,000 keys, and each statement run costs more than
        // the engine's work on a row.
        if (!q.prepare(QStringLiteral("INSERT OR REPLACE INTO setting (application, section, "
                                      "key, value) SELECT ?, ?, key, value FROM json_each(?)")))
            return q.lastError();
        for (const auto& [section, keys] : *m_earlier) {
            QJsonObject object;
            for (auto it = keys.cbegin(); it != keys.cend(); ++it)
                object.insert(it.key(), it.value());
            const QString json =
                QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
            if (!exec(q, {m_application, text(section), json}))
                return q.lastError();
        }
        if (!q.prepare(QStringLiteral("INSERT INTO settings_carried_over (application, source, "
                                      "carried_ms) VALUES (?, ?, ?)")) ||
            !exec(q, {m_application, source, QDateTime::currentMSecsSinceEpoch()}))
            return q.lastError();
        return transaction.commit() ? QSqlError() : transaction.error();
    });
    if (!ok) {
        // Read for the reads meanwhile; the carry-over is tried again by the next access.
        if (!m_earlier)
            m_earlier = readEarlier(source);
        return false;
    }
    m_carried = true;
    m_earlier.reset();
    return true;
}

QHash<QString, QString> DatabaseSettingsBackend::keys(const QString& section)
{
    const QString path = SettingsStore::normalisedPath(section);
    if (!carryOver() && m_earlier) {
        const auto it = m_earlier->find(path);
        return it == m_earlier->end() ? QHash<QString, QString>() : it->second;
    }
    QHash<QString, QString> found;
    m_db.run(UserDatabase::Access::Existing, [&](const QSqlDatabase& db) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.prepare(QStringLiteral(
                "SELECT key, value FROM setting WHERE application = ? AND section = ?")) ||
            !exec(q, {m_application, text(path)}))
            return q.lastError();
        QHash<QString, QString> rows;
        while (q.next())
            rows.insert(q.value(0).toString(), q.value(1).toString());
        if (q.lastError().isValid())
            return q.lastError();
        // Only a whole read counts: rows read before damage was met are no section.
        found = std::move(rows);
        return QSqlError();
    });
    return found;
}

bool DatabaseSettingsBackend::apply(const SettingsStore::Batch& batch)
{
    using Kind = SettingsStore::Batch::Kind;
    if (!carryOver())
        return false;
    return m_db.run(UserDatabase::Access::Create, [&](const QSqlDatabase& db) {
        SqlTransaction transaction(db);
        if (!transaction.begun())
            return transaction.error();
        QSqlQuery save(db);
        QSqlQuery removeKey(db);
        QSqlQuery removeSection(db);
        if (!save.prepare(QStringLiteral("INSERT OR REPLACE INTO setting (application, section, "
                                         "key, value) VALUES (?, ?, ?, ?)")))
            return save.lastError();
        if (!removeKey.prepare(QStringLiteral(
                "DELETE FROM setting WHERE application = ? AND section = ? AND key = ?")))
            return removeKey.lastError();
        if (!removeSection.prepare(
                QStringLiteral("DELETE FROM setting WHERE application = ? AND section = ?")))
            return removeSection.lastError();
        for (const SettingsStore::Batch::Step& step : batch.steps()) {
            if (step.kind == Kind::DeleteSection) {
                if (!exec(removeSection,
                          {m_application, text(SettingsStore::normalisedPath(step.section))}))
                    return removeSection.lastError();
                continue;
            }
            const auto [section, key] = splitKey(step.section, step.key);
            if (key.isEmpty())
                continue;
            if (step.kind == Kind::Save) {
                if (!exec(save, {m_application, text(section), text(key), text(step.value)}))
                    return save.lastError();
            } else if (!exec(removeKey, {m_application, text(section), text(key)})) {
                return removeKey.lastError();
            }
        }
        return transaction.commit() ? QSqlError() : transaction.error();
    });
}
