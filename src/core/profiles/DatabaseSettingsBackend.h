#pragma once

#include "core/history/UserDatabase.h"
#include "core/profiles/SettingsBackend.h"

#include <QCache>
#include <QStringList>

#include <future>
#include <optional>

// The values of one application as rows of the user's database: one row per section path
// ("/"-separated, as QSettings resolves paths), key and text. Each batch is one transaction.
//
// The settings file of earlier versions (the first of the files given that exists; it was
// written by QSettings or reads alike through it) is read once, through QSettings, and carried
// into the database whole by the first access; the database records that it was, and the file
// is never written or read again. While the carry-over is refused (a data folder that cannot
// be written), reads see the file's values and writes are refused.
class DatabaseSettingsBackend : public SettingsBackend
{
public:
    DatabaseSettingsBackend(const QString& folder, const QString& application,
                            const QStringList& earlierFiles);

    QHash<QString, QString> keys(const QString& section) override;
    bool apply(const SettingsStore::Batch& batch) override;
    // Reads the section on another thread, through a read-only connection of its own, for the
    // first keys() to take. Only a database that is there and ready as it is gets read; for
    // anything else (none yet, damage, a carry-over or a migration to make) keys() opens it
    // as ever, and so does a write before that read is taken.
    void readAhead(const QString& section) override;

    const UserDatabase& database() const { return m_db; }

private:
    // One value of the earlier file, in the file's order.
    struct EarlierValue
    {
        QString section;
        QString key;
        QString value;
    };
    using EarlierValues = QList<EarlierValue>;

    // A section as one connection read it, and whether the earlier file had been carried over.
    struct SectionRead
    {
        QString section;
        QHash<QString, QString> keys;
        bool carried = false;
    };

    QString earlierSource() const;
    bool carryOver();
    static QSqlError carriedBefore(const QSqlDatabase& db, const QString& application,
                                   bool& carried);
    static QSqlError readSection(const QSqlDatabase& db, const QString& application,
                                 const QString& path, QHash<QString, QString>& keys);
    std::optional<SectionRead> takeReadAhead();
    QSqlError carryOverFrom(const QSqlDatabase& db, const QString& source);
    static EarlierValues readEarlier(const QString& file);
    static QSqlError insertEarlier(const QSqlDatabase& db, const QString& application,
                                   const QString& file);
    QHash<QString, QString> earlierSection(const QString& path);
    QSqlError checkCache(const QSqlDatabase& db);
    void cacheApplied(const SettingsStore::Batch& batch);

    UserDatabase m_db;
    QString m_application;
    QStringList m_earlierFiles;
    bool m_carried = false;
    // The earlier file's values, kept only while they could not be carried over, and their
    // sections as the reads meanwhile ask for them.
    std::optional<EarlierValues> m_earlier;
    QHash<QString, QHash<QString, QString>> m_earlierSections;
    // Sections read lately, as the database held them: every profile command reads the list
    // of all profiles, 10,000 rows for some users. They hold while PRAGMA data_version (which
    // changes with every other connection's commit) and the opening stay the same; this
    // connection's own commits are applied to them.
    QCache<QString, QHash<QString, QString>> m_cache;
    qint64 m_cachedVersion = -1;
    quint64 m_cachedOpening = 0;
    // Declared last: destroyed first, it waits for its thread.
    std::future<std::optional<SectionRead>> m_readAhead;
};
