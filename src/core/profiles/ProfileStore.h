#pragma once

#include "core/profiles/ProfileInputs.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class SettingsStore;

// Named snapshots of the main window's inputs in the settings store.
//
// Layout: application "Kalder_Programming", list section Vitalon2\Presets holding
// "LastIndex" (highest number ever given out) and "_n_" = name of profile n; one section
// Vitalon2\Presets\<name> per profile holding one key per input (ProfileKeys). Numbers are
// never reused.
class ProfileStore
{
public:
    explicit ProfileStore(SettingsStore& store);

    static QString application() { return QStringLiteral("Kalder_Programming"); }
    static QString programSection() { return QStringLiteral("Vitalon2"); }
    static QString listSection() { return programSection() + QStringLiteral("\\Presets"); }
    static QString profileSection(const QString& name) { return listSection() + '\\' + name; }

    // The list section's keys: the highest number given out, and the name key "_n_" of number n.
    static QString lastIndexKey() { return QStringLiteral("LastIndex"); }
    static QString nameKey(qint64 number);
    // The number of a name key as the store writes it ("_17_", no sign, no leading zeros), or 0
    // for any other key.
    static qint64 numberOfKey(const QString& key);

    // A name with a section separator would nest one profile inside another.
    static bool nameAllowed(const QString& name);

    // The stored names in ascending number order; empty names are skipped.
    QStringList LoadPresets() const;
    // Has the list that LoadPresets() reads fetched on another thread meanwhile.
    void readListAhead();

    // Store steps of saving: when the list already holds the name exactly, its old record is
    // retired first; the profile takes the next number and a key for every input the inputs
    // hold. All of it lands in one write or, if the store refuses, not at all. Returns false
    // when nothing could be stored.
    bool Save(const QString& name, bool listedAlready, const ProfileInputs& inputs);

    // Reading steps: the inputs stored under the name. Absent keys and texts that fit no value
    // (not a number, beyond the 32-bit range, neither "True" nor "False", a statement other
    // than 0 to 2, a rating off the list and not -1 for none) leave their inputs absent.
    ProfileInputs Read(const QString& name) const;

    // Removes the record of the first number carrying exactly this name. Only a refused
    // write returns false; a name that is not stored is no failure.
    bool DelPreset(const QString& name);

    // A profile section's keys and texts for the inputs, and the inputs read back from them.
    static QHash<QString, QString> texts(const ProfileInputs& inputs);
    static ProfileInputs inputs(const QHash<QString, QString>& texts);
    // The keys of a profile section that the reading steps take a value from, with their texts
    // as stored; unknown keys and texts that fit no value are left out.
    static QHash<QString, QString> readableTexts(const QHash<QString, QString>& section);

private:
    struct Numbers
    {
        QList<QPair<qint64, QString>> names; // name keys by ascending number
        qint64 last = 0;                     // highest number given out so far
    };
    Numbers numbers() const;
    static qint64 numberOf(const QString& name, const Numbers& n);

    SettingsStore& m_store;
};
