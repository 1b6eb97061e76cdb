#pragma once

#include "core/profiles/SettingsBackend.h"

#include <QSettings>

#include <memory>

// The values in QSettings: its native format for the user (the registry on Windows), or an
// INI file. Every batch is one sync with its status checked; a refused sync is taken back in
// memory, so that this process goes on reading what is stored.
class QSettingsBackend : public SettingsBackend
{
public:
    // An empty file means the native format of organisation and application.
    QSettingsBackend(const QString& organisation, const QString& application,
                     const QString& iniFile);

    QHash<QString, QString> keys(const QString& section) override;
    bool apply(const SettingsStore::Batch& batch) override;

private:
    void open();

    QString m_organisation;
    QString m_application;
    QString m_iniFile;
    std::unique_ptr<QSettings> m_settings;
};
