#pragma once

#include "core/profiles/SettingsStore.h"

#include <QByteArray>
#include <QMap>
#include <QString>

// The settings store as the tests reach it: single writes and reads in the profiles'
// application, where a store keeps its file, and a file's bytes.

// The file in which SettingsStore(folder, backend) keeps the profiles' application.
QString storeFile(const QString& folder,
                  SettingsStore::Backend backend = SettingsStore::platformBackend());
// The settings files that earlier versions wrote below the folder: QSettings' INI file, and the
// file of one INI section per store section that replaced it.
QString legacyStoreFile(const QString& folder);
QString legacySectionsFile(const QString& folder);

// One write, one delete and one read, as the profile store makes them.
bool save(SettingsStore& store, const QString& section, const QString& key, const QString& value);
bool deleteSection(SettingsStore& store, const QString& section);
bool deleteKey(SettingsStore& store, const QString& section, const QString& key);
QString storedText(const SettingsStore& store, const QString& section, const QString& key,
                   const QString& defaultValue);

// A file's bytes, or nothing while there is no file.
QByteArray fileBytes(const QString& path);

// Every key of the profiles' application in a database file, read from outside the store:
// "section/key" paths ("/"-separated) and their texts; empty while there is no database.
QMap<QString, QString> databaseKeys(const QString& file);
// Sets one such key from outside the store, as another program might; false on failure.
bool setDatabaseKey(const QString& file, const QString& path, const QString& value);
