#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary folder for one test's settings store: SettingsStore(path()) keeps its file at
// file(), and reads the settings file of earlier versions at legacyFile() until its first
// write. useForNativeStore() sends the user's native store (the one the main window opens) to
// the same files.
class StoreFolder
{
public:
    StoreFolder();

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString file() const;
    QString legacyFile() const;
    // The file's bytes, or nothing while there is no file.
    QByteArray bytes() const;

    // Puts a copy of the profiles that version 2.0.75 wrote in place as the settings file of
    // earlier versions (the fixture stays as it is).
    bool copyLegacyProfiles() const;
    // The same for another fixture folder below tests/fixtures that holds such a file.
    bool copyLegacyFixture(const QString& fixture) const;
    void useForNativeStore() const;

private:
    QTemporaryDir m_dir;
};
