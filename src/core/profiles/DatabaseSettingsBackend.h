#pragma once

#include "core/history/UserDatabase.h"
#include "core/profiles/SettingsBackend.h"

#include <QCache>
#include <QStringList>

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

    bool carryOver();
    QSqlError carriedBefore(const QSqlDatabase& db, bool& carried) const;
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
};
