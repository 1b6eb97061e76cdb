#pragma once

#include "core/profiles/IniSections.h"
#include "core/profiles/SettingsBackend.h"

// The values of one application in an INI file of their own with one INI section per store
// section (QSettings reads it alike). The file is read once and kept in memory; it is read
// again when it changed on disk. Each batch takes the file's lock (waiting at most
// SettingsStore::lockWaitMs; a lock left by a process that died is taken over, at once or,
// when it died before writing its id into the lock, within half a second),
// rereads the file if another process changed it, and writes the whole file anew beside it,
// put in place by a rename: a reader, or a crash at any moment, sees the old file or the new
// one, never a mix. Reads take no lock.
//
// While the file does not exist, the settings file of earlier versions (written by QSettings)
// is read in its place, every key as QSettings reads it; the first batch carries everything in
// it over. That file is never written.
//
// A file that exists but cannot be read (a folder in its place, no permission) is not
// overwritten: batches are refused, since they would lose what it holds.
class SectionFileBackend : public SettingsBackend
{
public:
    SectionFileBackend(const QString& file, const QString& legacyFile);

    QHash<QString, QString> keys(const QString& section) override;
    bool apply(const SettingsStore::Batch& batch) override;

    // What identifies a file's content on disk: its inode, size and times change whenever
    // it is replaced or written.
    struct Stamp
    {
        bool exists = false;
        qint64 device = 0;
        qint64 inode = 0;
        qint64 size = 0;
        qint64 modified = 0;
        qint64 changed = 0;
        bool operator==(const Stamp& o) const;
        bool operator!=(const Stamp& o) const { return !(*this == o); }
    };

private:
    void refresh();
    void load();
    IniSections readLegacy();

    QString m_file;
    QString m_legacyFile;
    IniSections m_sections;
    bool m_loaded = false;
    bool m_readable = true;
    Stamp m_stamp;       // of the file as last read or written
    Stamp m_legacyStamp; // of the earlier file, while it stands in for the missing file
};
