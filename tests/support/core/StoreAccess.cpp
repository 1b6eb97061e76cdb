#include "StoreAccess.h"

#include "core/profiles/ProfileStore.h"

#include <QFile>

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

} // namespace

QString storeFile(const QString& folder, SettingsStore::Backend backend)
{
    return backend == SettingsStore::Backend::Sections
               ? base(folder) + QStringLiteral(".sections.ini")
               : legacyStoreFile(folder);
}

QString legacyStoreFile(const QString& folder)
{
    return base(folder) + QStringLiteral(".conf");
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
