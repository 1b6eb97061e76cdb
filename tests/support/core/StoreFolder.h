#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary folder for one test's settings store: SettingsStore(path()) keeps its INI file
// at file(). useForNativeStore() sends the user's native store (the one the main window opens)
// to the same file.
class StoreFolder
{
public:
    StoreFolder();

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString file() const;
    // The file's bytes, or nothing while there is no file.
    QByteArray bytes() const;

    // Puts a copy of the profiles that version 2.0.75 wrote in place (the fixture stays as it is).
    bool copyLegacyProfiles() const;
    void useForNativeStore() const;

private:
    QTemporaryDir m_dir;
};
