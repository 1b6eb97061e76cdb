#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary folder for one test's settings store: SettingsStore(path()) keeps its database at
// file(), and carries over the settings file of earlier versions at legacyFile() (or
// sectionsFile(), which earlier versions wrote in its place). useForNativeStore() sends the
// user's own store and data folder (the ones the main window opens) to the same files.
class StoreFolder
{
public:
    StoreFolder();

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString file() const;
    QString legacyFile() const;
    QString sectionsFile() const;
    // What the database holds, one "section/key=text" line per key in order, or nothing while
    // there is no database: equal exactly when the stored keys and texts are.
    QByteArray bytes() const;

    // Puts a copy of the profiles that version 2.0.75 wrote in place as the settings file of
    // earlier versions (the fixture stays as it is).
    bool copyLegacyProfiles() const;
    // The same for another fixture folder below tests/fixtures that holds such files.
    bool copyLegacyFixture(const QString& fixture) const;
    void useForNativeStore() const;

private:
    QTemporaryDir m_dir;
};
