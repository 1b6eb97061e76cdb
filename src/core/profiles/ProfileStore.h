#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class QObject;
class SettingsStore;

// Named snapshots of the main window's inputs in the settings store.
//
// Layout: application "Kalder_Programming", list section Vitalon2\Presets holding
// "LastIndex" (highest number ever given out) and "_n_" = name of profile n; one section
// Vitalon2\Presets\<name> per profile holding "C<i>" = value of the control at position i of
// the main window's fixed control order. Numbers are never reused.
//
// The controls are passed in that fixed order; each is known by its object name: "Slid…"
// (property "Value"), "Opti…" (checked, "True"/"False"), "Chec…" (check state 0/1/2) and
// "Combo1" (selected index).
class ProfileStore
{
public:
    explicit ProfileStore(SettingsStore& store);

    static QString application() { return QStringLiteral("Kalder_Programming"); }
    static QString programSection() { return QStringLiteral("Vitalon2"); }
    static QString listSection() { return programSection() + QStringLiteral("\\Presets"); }
    static QString profileSection(const QString& name) { return listSection() + '\\' + name; }

    // A name with a section separator would nest one profile inside another.
    static bool nameAllowed(const QString& name);

    // The stored names in ascending number order; empty names are skipped.
    QStringList LoadPresets() const;

    // Store steps of saving: when the list already holds the name exactly, its old record is
    // retired first; the profile takes the next number. All of it lands in one write or, if
    // the store refuses, not at all. Returns false when nothing could be stored.
    bool Save(const QString& name, bool listedAlready, const QList<QObject*>& controls);

    // Reading steps: every stored value that the control accepts is assigned through the
    // control's setter, the female option before the male one. Absent or unusable values
    // leave their controls as they were. The sliders' handlers are the caller's business.
    void Read(const QString& name, const QList<QObject*>& controls) const;

    // Removes the record of the first number carrying exactly this name. Only a refused
    // write returns false; a name that is not stored is no failure.
    bool DelPreset(const QString& name);

    // The value text a control stores, or a null string when it stores none.
    static QString valueText(const QObject* control);
    // Assigns a stored text; false (and the control unchanged) when the text does not fit.
    static bool assignValue(QObject* control, const QString& text);

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
