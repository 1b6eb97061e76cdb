#pragma once

#include "core/profiles/SettingsStore.h"

#include <QByteArray>
#include <QString>

// The settings store as the tests reach it: single writes and reads in the profiles'
// application, where a store keeps its file, and a file's bytes.

// The file in which SettingsStore(folder, backend) keeps the profiles' application.
QString storeFile(const QString& folder,
                  SettingsStore::Backend backend = SettingsStore::platformBackend());
// The settings file that earlier versions wrote below the folder (QSettings' INI file).
QString legacyStoreFile(const QString& folder);

// One write, one delete and one read, as the profile store makes them.
bool save(SettingsStore& store, const QString& section, const QString& key, const QString& value);
bool deleteSection(SettingsStore& store, const QString& section);
bool deleteKey(SettingsStore& store, const QString& section, const QString& key);
QString storedText(const SettingsStore& store, const QString& section, const QString& key,
                   const QString& defaultValue);

// A file's bytes, or nothing while there is no file.
QByteArray fileBytes(const QString& path);
