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

#include <algorithm>
#include <utility>

namespace {

// Keys held in cached sections at most: the list of some 50,000 profiles, or many of their
// sections, some megabytes.
constexpr qsizetype cachedKeys = 50000;

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
    : m_db(folder), m_application(application), m_earlierFiles(earlierFiles), m_cache(cachedKeys)
{
}

// Empties the cache when another connection has committed since it was filled, or the
// database was opened anew (set aside when damaged, say).
QSqlError DatabaseSettingsBackend::checkCache(const QSqlDatabase& db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA data_version")) || !q.next())
        return q.lastError();
    const qint64 version = q.value(0).toLongLong();
    if (version != m_cachedVersion || m_db.openings() != m_cachedOpening) {
        m_cache.clear();
        m_cachedVersion = version;
        m_cachedOpening = m_db.openings();
    }
    return QSqlError();
}

// The committed batch, step by step as the database took it, on the sections in the cache.
void DatabaseSettingsBackend::cacheApplied(const SettingsStore::Batch& batch)
{
    using Kind = SettingsStore::Batch::Kind;
    for (const SettingsStore::Batch::Step& step : batch.steps()) {
        if (step.kind == Kind::DeleteSection) {
            m_cache.remove(SettingsStore::normalisedPath(step.section));
            continue;
        }
        const auto [section, key] = splitKey(step.section, step.key);
        QHash<QString, QString>* cached = key.isEmpty() ? nullptr : m_cache.object(section);
        if (!cached)
            continue;
        if (step.kind == Kind::Save)
            cached->insert(key, text(step.value).toString());
        else
            cached->remove(key);
    }
}

DatabaseSettingsBackend::Sections DatabaseSettingsBackend::readEarlier(const QString& file)
{
    const QSettings earlier(file, QSettings::IniFormat);
    Sections sections;
    // allKeys() comes sorted, so a section's keys mostly follow each other: the section found
    // last is tried first. A lookup in the map for each of 370,000 keys cost more than
    // QSettings' own reading of them.
    auto last = sections.end();
    const QStringList all = earlier.allKeys();
    for (const QString& full : all) {
        const QVariant value = earlier.value(full);
        if (!value.isValid())
            continue;
        const qsizetype slash = full.lastIndexOf(QLatin1Char('/'));
        const QStringView section = slash < 0 ? QStringView() : QStringView(full).first(slash);
        if (last == sections.end() || QStringView(last->first) != section)
            last = sections.try_emplace(section.toString()).first;
        last->second.insert(full.sliced(slash + 1), value.toString());
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
    m_cache.clear();
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
        if (const QSqlError error = checkCache(db); error.isValid())
            return error;
        if (const QHash<QString, QString>* cached = m_cache.object(path)) {
            found = *cached;
            return QSqlError();
        }
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
        m_cache.insert(path, new QHash<QString, QString>(found),
                       std::max<qsizetype>(1, found.size()));
        return QSqlError();
    });
    return found;
}

bool DatabaseSettingsBackend::apply(const SettingsStore::Batch& batch)
{
    using Kind = SettingsStore::Batch::Kind;
    if (!carryOver())
        return false;
    const bool applied = m_db.run(UserDatabase::Access::Create, [&](const QSqlDatabase& db) {
        SqlTransaction transaction(db);
        if (!transaction.begun())
            return transaction.error();
        // Within the transaction: the cache is then current up to this batch.
        if (const QSqlError error = checkCache(db); error.isValid())
            return error;
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
        if (!transaction.commit())
            return transaction.error();
        cacheApplied(batch);
        return QSqlError();
    });
    if (!applied)
        m_cache.clear();
    return applied;
}
