#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <map>
#include <memory>
#include <optional>

class QSettings;

// The per-user store of text values, addressed by application, section and key. A section
// path "A\B\C" names nested sections. This is the only class that knows QSettings.
//
// Every write is synced and its status checked; a write the store refuses leaves both the
// file and what this process reads back exactly as they were before the write.
class SettingsStore
{
public:
    // Several writes that land together or not at all (one sync).
    class Batch
    {
    public:
        void save(const QString& section, const QString& key, const QString& value);
        void deleteKey(const QString& section, const QString& key);
        // Removes the keys of the section itself; deeper sections are sections of their own.
        void deleteSection(const QString& section);
        bool isEmpty() const { return m_steps.isEmpty(); }

    private:
        friend class SettingsStore;
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
        QList<Step> m_steps;
    };

    // With an empty folder the store is the user's native settings of the organisation
    // "Kalder_Programming"; otherwise it lives in INI files below that folder (tests, tools).
    explicit SettingsStore(const QString& folder = QString());
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    static QString organisation() { return QStringLiteral("Kalder_Programming"); }

    // All keys of one section (not of deeper sections) with their texts.
    QHash<QString, QString> keys(const QString& application, const QString& section) const;

    // Carries out the batch's writes; false when the store refuses them.
    bool apply(const QString& application, const Batch& batch);

private:
    QSettings& settings(const QString& application) const;

    QString m_folder;
    mutable std::map<QString, std::unique_ptr<QSettings>> m_open;
};
