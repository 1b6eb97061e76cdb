#pragma once

#include "core/profiles/ProfileInputs.h"
#include "core/profiles/ProfileStore.h"

#include <QObject>

#include <functional>
#include <optional>

class QAction;
class QComboBox;
class QStringListModel;
class QWidget;
class SettingsStore;

// The profile box and its two toolbar buttons: typing or picking a name loads that profile,
// "save" stores the inputs under the name in the box, "del" removes the picked profile.
//
// The host builds the controls (icons, names, the buttons' start state); this class is handed
// the profile box, the two buttons (keys "save" and "del" as object names) and the host's two
// routes to its inputs: a snapshot of them, and loading a profile into them. It connects the
// box and the buttons itself and from then on sets the buttons' enabled state.
//
// A profile loaded because the typed text named it is on trial: when the text goes on to name
// something else while the inputs are still as that load left them, the inputs as they were
// before it come back. So typing "Иван 2" past a stored "Иван" keeps what the user had entered.
// A profile picked from the list, saved or deleted stays.
class ProfileCommands : public QObject
{
    Q_OBJECT
public:
    ProfileCommands(QWidget* host, QComboBox* profileBox, QAction* save, QAction* del,
                    std::function<ProfileInputs()> inputs,
                    std::function<void(const ProfileInputs&)> apply, SettingsStore& store);

    // Fills the box's list from the store; no entry selected afterwards.
    void LoadPresets();

    void Combo2_Change();
    void Combo2_Click();
    void Toolbar1_ButtonClick(QAction* button);
    void Save1();
    void Del1();

signals:
    // A stored profile has been loaded into the host's inputs.
    void profileLoaded(const QString& name);

private:
    void editTextChanged(const QString& text);
    void currentIndexChanged(int index);
    // List changes that leave the text and the selection as the commands want them.
    void appendEntry(const QString& name);
    void removeSelectedEntry();
    // Undoes a load by typing that the text no longer names, unless an input changed since.
    void settleTypedLoad(const QString& text);

    // The last load by typing: the entry's name, the inputs before and right after it.
    struct TypedLoad
    {
        QString name;
        ProfileInputs before;
        ProfileInputs after;
    };
    std::optional<TypedLoad> m_typedLoad;
    // Combo2_Change is selecting the entry the text names.
    bool m_selectingByText = false;

    QWidget* m_host;
    QComboBox* m_combo;
    QStringListModel* m_names; // the box's entries
    QAction* m_save;
    QAction* m_del;
    std::function<ProfileInputs()> m_inputs;
    std::function<void(const ProfileInputs&)> m_apply;
    ProfileStore m_profiles;
};
