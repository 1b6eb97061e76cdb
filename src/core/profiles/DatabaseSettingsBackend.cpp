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
#include <future>
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

DatabaseSettingsBackend::EarlierValues DatabaseSettingsBackend::readEarlier(const QString& file)
{
    const QSettings earlier(file, QSettings::IniFormat);
    const QStringList all = earlier.allKeys();
    EarlierValues values;
    values.reserve(all.size());
    // allKeys() comes sorted, so a section's keys mostly follow each other: the section's text
    // is shared with the key before whenever it is the same.
    QString section;
    for (const QString& full : all) {
        const QVariant value = earlier.value(full);
        if (!value.isValid())
            continue;
        const qsizetype slash = full.lastIndexOf(QLatin1Char('/'));
        const QStringView path = slash < 0 ? QStringView() : QStringView(full).first(slash);
        if (section.isNull() || QStringView(section) != path)
            section = path.toString();
        values.append({section, full.sliced(slash + 1), value.toString()});
    }
    return values;
}

// One statement per run of keys of one section, its keys and texts handed over as one JSON
// object: a file of 10,000 profiles holds 370,000 keys, and each run of a statement (and each
// value bound to one) costs more than the engine's work on a row. Another thread reads the
// next keys' values and writes their JSON while the database takes these.
QSqlError DatabaseSettingsBackend::insertEarlier(const QSqlDatabase& db, const QString& application,
                                                 const QString& file)
{
    QSqlQuery q(db);
    if (!q.prepare(QStringLiteral("INSERT OR REPLACE INTO setting (application, section, key, "
                                  "value) SELECT ?, ?, key, value FROM json_each(?)")))
        return q.lastError();

    const QSettings earlier(file, QSettings::IniFormat);
    const QStringList all = earlier.allKeys();
    struct Run
    {
        QString section;
        QString json;
    };
    constexpr qsizetype keysPerChunk = 20000;
    // Only one chunk is read at a time, so the settings object is never used by two threads.
    const auto chunk = [&earlier, &all](qsizetype first) {
        QList<Run> runs;
        QJsonObject object;
        QStringView section;
        const auto close = [&] {
            if (!object.isEmpty()) {
                runs.append({section.toString(), QString::fromUtf8(QJsonDocument(object).toJson(
                                                     QJsonDocument::Compact))});
                object = QJsonObject();
            }
        };
        const qsizetype end = std::min(all.size(), first + keysPerChunk);
        for (qsizetype i = first; i < end; ++i) {
            const QString& full = all[i];
            const QVariant value = earlier.value(full);
            if (!value.isValid())
                continue;
            const qsizetype slash = full.lastIndexOf(QLatin1Char('/'));
            const QStringView path = slash < 0 ? QStringView() : QStringView(full).first(slash);
            if (path != section)
                close();
            section = path;
            object.insert(full.sliced(slash + 1), value.toString());
        }
        close();
        return runs;
    };
    std::future<QList<Run>> next = std::async(std::launch::async, chunk, 0);
    for (qsizetype first = 0; first < all.size(); first += keysPerChunk) {
        const QList<Run> runs = next.get();
        if (first + keysPerChunk < all.size())
            next = std::async(std::launch::async, chunk, first + keysPerChunk);
        for (const Run& run : runs) {
            if (!exec(q, {application, text(run.section), run.json}))
                return q.lastError();
        }
    }
    return QSqlError();
}

QHash<QString, QString> DatabaseSettingsBackend::earlierSection(const QString& path)
{
    if (m_earlierSections.isEmpty()) {
        for (const EarlierValue& v : std::as_const(*m_earlier))
            m_earlierSections[v.section].insert(v.key, v.value);
    }
    return m_earlierSections.value(path);
}

QSqlError DatabaseSettingsBackend::carriedBefore(const QSqlDatabase& db, const QString& application,
                                                 bool& carried)
{
    QSqlQuery q(db);
    if (!q.prepare(
            QStringLiteral("SELECT count(*) FROM settings_carried_over WHERE application = ?")) ||
        !exec(q, {application}) || !q.next())
        return q.lastError();
    carried = q.value(0).toLongLong() > 0;
    return QSqlError();
}

// Only a whole read counts: rows read before damage was met are no section.
QSqlError DatabaseSettingsBackend::readSection(const QSqlDatabase& db, const QString& application,
                                               const QString& path, QHash<QString, QString>& keys)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral(
            "SELECT key, value FROM setting WHERE application = ? AND section = ?")) ||
        !exec(q, {application, text(path)}))
        return q.lastError();
    QHash<QString, QString> rows;
    while (q.next())
        rows.insert(q.value(0).toString(), q.value(1).toString());
    if (q.lastError().isValid())
        return q.lastError();
    keys = std::move(rows);
    return QSqlError();
}

QSqlError DatabaseSettingsBackend::carryOverFrom(const QSqlDatabase& db, const QString& source)
{
    SqlTransaction transaction(db);
    if (!transaction.begun())
        return transaction.error();
    // Asked again within the transaction: another program may have carried it over meanwhile.
    bool carried = false;
    if (const QSqlError error = carriedBefore(db, m_application, carried);
        error.isValid() || carried)
        return error; // this run's transaction writes nothing
    if (const QSqlError error = insertEarlier(db, m_application, source); error.isValid())
        return error;
    QSqlQuery q(db);
    if (!q.prepare(QStringLiteral("INSERT INTO settings_carried_over (application, source, "
                                  "carried_ms) VALUES (?, ?, ?)")) ||
        !exec(q, {m_application, source, QDateTime::currentMSecsSinceEpoch()}))
        return q.lastError();
    return transaction.commit() ? QSqlError() : transaction.error();
}

QString DatabaseSettingsBackend::earlierSource() const
{
    for (const QString& file : m_earlierFiles) {
        if (QFileInfo(file).isFile())
            return file;
    }
    return QString();
}

bool DatabaseSettingsBackend::carryOver()
{
    if (m_carried)
        return true;
    const QString source = earlierSource();
    if (source.isEmpty()) {
        m_carried = true;
        return true;
    }
    const bool ok = m_db.run(UserDatabase::Access::Create, [&](const QSqlDatabase& db) {
        bool carried = false;
        if (const QSqlError error = carriedBefore(db, m_application, carried);
            error.isValid() || carried)
            return error;
        // The file's rows go into the database through a rollback journal, which writes them
        // once, where the write-ahead log writes them twice (into the log, then from it). A
        // database another connection holds open just keeps its log.
        QSqlQuery(db).exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
        const QSqlError error = carryOverFrom(db, source);
        QSqlQuery(db).exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        return error;
    });
    if (!ok) {
        // Read for the reads meanwhile; the carry-over is tried again by the next access.
        if (!m_earlier)
            m_earlier = readEarlier(source);
        return false;
    }
    m_carried = true;
    m_earlier.reset();
    m_earlierSections.clear();
    m_cache.clear();
    return true;
}

void DatabaseSettingsBackend::readAhead(const QString& section)
{
    const QString location = m_db.location();
    if (m_readAhead.valid() || location.isEmpty() || !QFileInfo::exists(location))
        return;
    const QString folder = QFileInfo(location).path();
    const bool askCarried = !m_carried && !earlierSource().isEmpty();
    m_readAhead = std::async(std::launch::async, [folder, application = m_application,
                                                  path = SettingsStore::normalisedPath(section),
                                                  askCarried] {
        std::optional<SectionRead> result;
        UserDatabase db(folder);
        db.run(UserDatabase::Access::Peek, [&](const QSqlDatabase& connection) {
            SectionRead read{path, {}, false};
            if (askCarried) {
                if (const QSqlError error = carriedBefore(connection, application, read.carried);
                    error.isValid())
                    return error;
            }
            if (const QSqlError error = readSection(connection, application, path, read.keys);
                error.isValid())
                return error;
            result = std::move(read);
            return QSqlError();
        });
        return result;
    });
}

std::optional<DatabaseSettingsBackend::SectionRead> DatabaseSettingsBackend::takeReadAhead()
{
    if (!m_readAhead.valid())
        return std::nullopt;
    std::optional<SectionRead> read = m_readAhead.get();
    // The earlier file not carried over yet: its values are what the section holds.
    if (read && !read->carried && !m_carried && !earlierSource().isEmpty())
        return std::nullopt;
    return read;
}

QHash<QString, QString> DatabaseSettingsBackend::keys(const QString& section)
{
    const QString path = SettingsStore::normalisedPath(section);
    if (std::optional<SectionRead> read = takeReadAhead()) {
        m_carried = m_carried || read->carried;
        if (read->section == path)
            return std::move(read->keys);
    }
    if (!carryOver() && m_earlier) {
        return earlierSection(path);
    }
    QHash<QString, QString> found;
    m_db.run(UserDatabase::Access::Existing, [&](const QSqlDatabase& db) {
        if (const QSqlError error = checkCache(db); error.isValid())
            return error;
        if (const QHash<QString, QString>* cached = m_cache.object(path)) {
            found = *cached;
            return QSqlError();
        }
        if (const QSqlError error = readSection(db, m_application, path, found); error.isValid())
            return error;
        m_cache.insert(path, new QHash<QString, QString>(found),
                       std::max<qsizetype>(1, found.size()));
        return QSqlError();
    });
    return found;
}

bool DatabaseSettingsBackend::apply(const SettingsStore::Batch& batch)
{
    using Kind = SettingsStore::Batch::Kind;
    // A read taken before this write would be stale once it lands.
    takeReadAhead();
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
