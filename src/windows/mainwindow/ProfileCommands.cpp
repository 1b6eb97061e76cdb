#include "windows/mainwindow/ProfileCommands.h"

#include "widgets/support/MessageBoxes.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QWidget>

#include <utility>

namespace {

// Replaces the selection by "no entry" without touching the text the user is editing.
void deselectKeepingText(QComboBox* combo)
{
    const QString text = combo->currentText();
    const int cursor = combo->lineEdit() ? combo->lineEdit()->cursorPosition() : 0;
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
    if (combo->lineEdit())
        combo->lineEdit()->setCursorPosition(cursor);
}

} // namespace

ProfileCommands::ProfileCommands(QWidget* host, QComboBox* profileBox, QAction* save, QAction* del,
                                 std::function<ProfileInputs()> inputs,
                                 std::function<void(const ProfileInputs&)> apply,
                                 SettingsStore& store)
    : QObject(host), m_host(host), m_combo(profileBox), m_names(new QStringListModel(profileBox)),
      m_save(save), m_del(del), m_inputs(std::move(inputs)), m_apply(std::move(apply)),
      m_profiles(store)
{
    // The names as one list of strings, which takes thousands of them in one step.
    m_combo->setModel(m_names);
    // The box never changes its list or its text on its own: no entry added on Enter, no
    // name completed while typing (that would load profiles the user has not named).
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->setCompleter(nullptr);
    // Nor does it select an entry equal to the text when editing finishes (Enter, or the focus
    // leaving for a message box): a profile just saved stays unselected, and only typing or
    // picking loads one.
    if (QLineEdit* edit = m_combo->lineEdit())
        disconnect(edit, &QLineEdit::editingFinished, m_combo, nullptr);

    connect(m_combo, &QComboBox::editTextChanged, this, &ProfileCommands::editTextChanged);
    connect(m_combo, &QComboBox::currentIndexChanged, this, &ProfileCommands::currentIndexChanged);
    for (QAction* action : {m_save, m_del})
        connect(action, &QAction::triggered, this,
                [this, action] { Toolbar1_ButtonClick(action); });
}

void ProfileCommands::LoadPresets()
{
    m_typedLoad.reset();
    const QString text = m_combo->currentText();
    const QSignalBlocker block(m_combo);
    m_names->setStringList(m_profiles.LoadPresets());
    m_combo->setCurrentIndex(-1);
    m_combo->setEditText(text);
}

void ProfileCommands::editTextChanged(const QString& text)
{
    // Editing the text by hand leaves no entry selected; choosing an entry puts its text
    // into the box, which keeps that entry selected.
    const int index = m_combo->currentIndex();
    if (index > -1 && m_combo->itemText(index) != text)
        deselectKeepingText(m_combo);
    settleTypedLoad(text);
    Combo2_Change();
}

void ProfileCommands::settleTypedLoad(const QString& text)
{
    if (!m_typedLoad || text.compare(m_typedLoad->name, Qt::CaseInsensitive) == 0)
        return;
    const TypedLoad load = *std::exchange(m_typedLoad, std::nullopt);
    // Comparing the whole snapshot sees every way an input can change (a control, the
    // stopwatch's hand-back, anything added later); a changed input means the user is working
    // with the loaded profile, and it stays.
    if (m_inputs() == load.after)
        m_apply(load.before);
}

void ProfileCommands::currentIndexChanged(int index)
{
    if (index > -1)
        Combo2_Click();
}

void ProfileCommands::Combo2_Change()
{
    // The selected entry stands while it matches the text: selecting one runs Combo2_Click,
    // which loads the profile and calls back here, and of two names that differ only in letter
    // case the one picked from the list is the one loaded, not the first.
    const QString text = m_combo->currentText();
    const auto matches = [this, &text](int i) {
        return m_combo->itemText(i).compare(text, Qt::CaseInsensitive) == 0;
    };
    const int current = m_combo->currentIndex();
    if (current < 0 || !matches(current)) {
        for (int i = 0; i < m_combo->count(); ++i) {
            if (matches(i)) {
                const QScopedValueRollback<bool> byText(m_selectingByText, true);
                m_combo->setCurrentIndex(i);
                break;
            }
        }
    }
    m_save->setEnabled(!m_combo->currentText().trimmed().isEmpty());
    m_del->setEnabled(m_combo->currentIndex() > -1);
}

void ProfileCommands::Combo2_Click()
{
    const QString name = m_combo->currentText();
    ProfileInputs before = m_inputs();
    m_apply(m_profiles.Read(name));
    if (m_selectingByText) {
        // The same profile named again (another letter case) with nothing changed: what stood
        // before the first of these loads is what comes back.
        if (m_typedLoad && before == m_typedLoad->after)
            before = m_typedLoad->before;
        m_typedLoad = TypedLoad{name, before, m_inputs()};
    } else {
        m_typedLoad.reset();
    }
    emit profileLoaded(name);
    Combo2_Change();
}

void ProfileCommands::Toolbar1_ButtonClick(QAction* button)
{
    if (!button)
        return;
    const QString key = button->objectName();
    if (key == QLatin1String("save"))
        Save1();
    else if (key == QLatin1String("del"))
        Del1();
}

void ProfileCommands::Save1()
{
    MessageBoxes& boxes = MessageBoxes::instance();
    const QString text = m_combo->currentText();
    if (text.trimmed().isEmpty()) {
        boxes.refusal(m_host, tr("Не задано имя профиля!"));
        return;
    }
    if (!ProfileStore::nameAllowed(text)) {
        boxes.refusal(m_host, tr("Имя профиля не может содержать символы / и \\."));
        return;
    }
    const QString quoted = MessageBoxes::quotedName(text);
    if (m_combo->currentIndex() > -1 &&
        !boxes.question(m_host, tr("Профиль '%1' уже существует. Перезаписать его?").arg(quoted)))
        return;

    bool listed = false;
    for (int i = 0; i < m_combo->count() && !listed; ++i)
        listed = m_combo->itemText(i) == text;
    if (!m_profiles.Save(text, listed, m_inputs())) {
        boxes.refusal(
            m_host,
            tr("Не удалось сохранить профиль '%1'. Сохраненные профили не изменены.").arg(quoted));
        return;
    }
    m_typedLoad.reset();
    if (!listed)
        appendEntry(text);
    boxes.confirmation(m_host, tr("Профиль '%1' сохранен.").arg(quoted));
}

void ProfileCommands::Del1()
{
    MessageBoxes& boxes = MessageBoxes::instance();
    const QString text = m_combo->currentText();
    const QString quoted = MessageBoxes::quotedName(text);
    if (!boxes.question(m_host, tr("Вы действительно хотите удалить профиль '%1'?").arg(quoted)))
        return;
    if (!m_profiles.DelPreset(text)) {
        boxes.refusal(m_host, tr("Не удалось удалить профиль '%1'.").arg(quoted));
        return;
    }
    m_typedLoad.reset();
    removeSelectedEntry();
    Combo2_Change();
}

void ProfileCommands::appendEntry(const QString& name)
{
    // Adding to an empty list would select the new entry; a saved profile stays unselected.
    const QString text = m_combo->currentText();
    const int index = m_combo->currentIndex();
    const QSignalBlocker block(m_combo);
    m_combo->addItem(name);
    m_combo->setCurrentIndex(index);
    m_combo->setEditText(text);
}

void ProfileCommands::removeSelectedEntry()
{
    // Qt would select a neighbour (and load it); the deleted name stays in the box instead.
    const int index = m_combo->currentIndex();
    if (index < 0)
        return;
    const QString text = m_combo->currentText();
    const QSignalBlocker block(m_combo);
    m_combo->removeItem(index);
    m_combo->setCurrentIndex(-1);
    m_combo->setEditText(text);
}
