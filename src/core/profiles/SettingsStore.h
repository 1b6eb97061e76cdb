#pragma once

#include "core/history/UserDatabase.h"

#include <QHash>
#include <QList>
#include <QString>

#include <map>
#include <memory>

class SettingsBackend;

// The per-user store of text values, addressed by application, section and key. A section
// path "A\B\C" names nested sections.
//
// A write the store refuses (full disk, a folder that cannot be written, a lock another
// process keeps longer than lockWaitMs) leaves both what is stored and what this process reads back
// exactly as they were before the write, and is reported by returning false.
class SettingsStore
{
public:
    // Several writes that land together or not at all.
    class Batch
    {
    public:
        void save(const QString& section, const QString& key, const QString& value);
        void deleteKey(const QString& section, const QString& key);
        // Removes the keys of the section itself; deeper sections are sections of their own.
        void deleteSection(const QString& section);
        bool isEmpty() const { return m_steps.isEmpty(); }

        enum class Kind
        {
            Save,
            DeleteKey,
            DeleteSection
        };
        struct Step
        {
            Kind kind;
            QString section;
            QString key;
            QString value;
        };
        const QList<Step>& steps() const { return m_steps; }

    private:
        QList<Step> m_steps;
    };

    // How the values are kept.
    //  - Database: rows of the user's SQLite database (UserDatabase), which the results
    //    history shares; each batch is one transaction. The settings file of earlier versions
    //    is carried into it once and left as it was.
    //  - QSettings: QSettings' native format (the registry on Windows); in a folder, QSettings
    //    INI files, which behave alike, so that this way is tested everywhere.
    enum class Backend
    {
        Database,
        Sections = Database, // the name of earlier builds
        QSettings
    };
    // The database everywhere but on Windows, which keeps the registry.
    static Backend platformBackend();

    // With an empty folder the store is the user's own: the database in the user's data folder
    // (UserDatabase::userFolder()), and the settings files of earlier versions beside the
    // native settings of the organisation "Kalder_Programming". Otherwise it lives below that
    // folder (tests, tools): the database <folder>/kalder-vitalon.sqlite, the earlier files
    // <folder>/Kalder_Programming/<application>.sections.ini or, where that does not exist,
    // <application>.conf; for QSettings <folder>/Kalder_Programming/<application>.conf.
    explicit SettingsStore(const QString& folder = QString());
    SettingsStore(const QString& folder, Backend backend);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    static QString organisation() { return QStringLiteral("Kalder_Programming"); }

    // All keys of one section (not of deeper sections) with their texts.
    QHash<QString, QString> keys(const QString& application, const QString& section) const;

    // Carries out the batch's writes; false when the store refuses them.
    bool apply(const QString& application, const Batch& batch);

    // Starts reading the section on another thread where the store can (the database), so
    // that its first keys() need not wait for the opening and the read.
    void readAhead(const QString& application, const QString& section);

    // How long a batch waits for another process's lock before it is refused.
    static constexpr int lockWaitMs = UserDatabase::busyTimeoutMs;

    // A path as QSettings takes it: "\\" and "/" both separate, empty parts are dropped.
    static QString normalisedPath(QStringView path);

private:
    SettingsBackend& backend(const QString& application) const;

    QString m_folder;
    Backend m_backend;
    mutable std::map<QString, std::unique_ptr<SettingsBackend>> m_open;
};
