#include "StoreAccess.h"

#include "core/profiles/ProfileStore.h"

#include <QAtomicInteger>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <functional>

namespace {

QString base(const QString& folder)
{
    return folder + QLatin1Char('/') + SettingsStore::organisation() + QLatin1Char('/') +
           ProfileStore::application();
}

bool applyOne(SettingsStore& store, const SettingsStore::Batch& batch)
{
    return store.apply(ProfileStore::application(), batch);
}

// Runs `use` on a connection of its own to the file.
bool withConnection(const QString& file, const std::function<bool(QSqlDatabase&)>& use)
{
    static QAtomicInteger<int> count;
    const QString name = QStringLiteral("store-access-%1").arg(++count);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        ok = db.open() && use(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

QString storeFile(const QString& folder, SettingsStore::Backend backend)
{
    return backend == SettingsStore::Backend::Database
               ? folder + QLatin1Char('/') + UserDatabase::fileName()
               : legacyStoreFile(folder);
}

QString legacyStoreFile(const QString& folder)
{
    return base(folder) + QStringLiteral(".conf");
}

QString legacySectionsFile(const QString& folder)
{
    return base(folder) + QStringLiteral(".sections.ini");
}

bool save(SettingsStore& store, const QString& section, const QString& key, const QString& value)
{
    SettingsStore::Batch b;
    b.save(section, key, value);
    return applyOne(store, b);
}

bool deleteSection(SettingsStore& store, const QString& section)
{
    SettingsStore::Batch b;
    b.deleteSection(section);
    return applyOne(store, b);
}

bool deleteKey(SettingsStore& store, const QString& section, const QString& key)
{
    SettingsStore::Batch b;
    b.deleteKey(section, key);
    return applyOne(store, b);
}

QString storedText(const SettingsStore& store, const QString& section, const QString& key,
                   const QString& defaultValue)
{
    return store.keys(ProfileStore::application(), section).value(key, defaultValue);
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QMap<QString, QString> databaseKeys(const QString& file)
{
    QMap<QString, QString> keys;
    if (!QFileInfo::exists(file))
        return keys;
    withConnection(file, [&keys](QSqlDatabase& db) {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT section, key, value FROM setting WHERE application = ?"));
        q.addBindValue(ProfileStore::application());
        if (!q.exec())
            return false;
        while (q.next()) {
            const QString section = q.value(0).toString();
            keys.insert((section.isEmpty() ? QString() : section + QLatin1Char('/')) +
                            q.value(1).toString(),
                        q.value(2).toString());
        }
        return true;
    });
    return keys;
}

bool setDatabaseKey(const QString& file, const QString& path, const QString& value)
{
    // The store makes the database with its tables first.
    if (!QFileInfo::exists(file)) {
        SettingsStore store(QFileInfo(file).path());
        if (!store.apply(ProfileStore::application(), SettingsStore::Batch()))
            return false;
    }
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return withConnection(file, [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("INSERT OR REPLACE INTO setting (application, section, key, "
                                 "value) VALUES (?, ?, ?, ?)"));
        q.addBindValue(ProfileStore::application());
        q.addBindValue(slash < 0 ? QStringLiteral("") : path.first(slash));
        q.addBindValue(path.sliced(slash + 1));
        q.addBindValue(value);
        return q.exec();
    });
}
