#include "windows/mainwindow/DataMenu.h"

#include "widgets/support/MessageBoxes.h"
#include "widgets/support/SvgArt.h"
#include "widgets/support/SvgIconEngine.h"

#include "core/data/CopyFile.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString ButtonIcon = QStringLiteral(":/icons/data.svg");

// Where the last copy was saved or read, for the next dialog of the session.
QString& lastFolder()
{
    static QString folder;
    return folder;
}

QString startFolder()
{
    if (!lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir())
        return lastFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

void DataMenu::prepare(QSize iconSize, qreal devicePixelRatio)
{
    SvgIconEngine::prepare(ButtonIcon, iconSize, devicePixelRatio);
}

DataMenu::DataMenu(QWidget* host, QToolBar* bar, SettingsStore& settings, HistoryStore& history,
                   std::function<void()> reloadProfiles)
    : QObject(host), m_host(host), m_settings(settings), m_history(history),
      m_reloadProfiles(std::move(reloadProfiles))
{
    auto* menu = new QMenu(host);
    menu->setObjectName(QStringLiteral("dataMenu"));
    // A pop-up is a window of its own: it takes the program's font only when told.
    menu->setFont(host->font());
    QAction* backup = menu->addAction(tr("Сохранить копию данных…"));
    backup->setObjectName(QStringLiteral("backup"));
    QAction* restore = menu->addAction(tr("Восстановить из копии…"));
    restore->setObjectName(QStringLiteral("restore"));
    QAction* replace = menu->addAction(tr("Заменить все данные копией"));
    replace->setObjectName(QStringLiteral("replace"));
    connect(backup, &QAction::triggered, this, &DataMenu::chooseBackup);
    connect(restore, &QAction::triggered, this,
            [this] { chooseRestore(DataTransfer::Mode::Merge); });
    connect(replace, &QAction::triggered, this,
            [this] { chooseRestore(DataTransfer::Mode::Replace); });

    m_button = new QToolButton(bar);
    m_button->setObjectName(QStringLiteral("data"));
    m_button->setIcon(SvgArt::icon(ButtonIcon));
    m_button->setMenu(menu);
    // The menu opens on a click, on Space or Enter, and on the Down key.
    m_button->setPopupMode(QToolButton::InstantPopup);
    m_button->setAutoRaise(true);
    m_button->setFocusPolicy(Qt::TabFocus);
    m_button->setToolTip(tr("Копия данных: сохранить или восстановить профили и историю"));
    m_button->setAccessibleName(tr("Копия данных"));
    bar->addWidget(m_button);
}

void DataMenu::chooseBackup()
{
    const QString path = chooseFile(true);
    if (!path.isEmpty())
        backupTo(path);
}

void DataMenu::chooseRestore(DataTransfer::Mode mode)
{
    const QString path = chooseFile(false);
    if (path.isEmpty())
        return;
    if (mode == DataTransfer::Mode::Replace &&
        !MessageBoxes::instance().question(
            m_host, tr("Все профили и вся история будут заменены данными копии «%1». "
                       "Продолжить?")
                        .arg(MessageBoxes::quotedName(QFileInfo(path).fileName()))))
        return;
    restoreFrom(path, mode);
}

void DataMenu::backupTo(const QString& path)
{
    const DataTransfer::Outcome outcome = DataTransfer(m_settings, m_history).backup(path);
    if (outcome.ok)
        MessageBoxes::instance().confirmation(m_host, outcome.message);
    else
        MessageBoxes::instance().refusal(m_host, outcome.message);
}

void DataMenu::restoreFrom(const QString& path, DataTransfer::Mode mode)
{
    const DataTransfer::Outcome outcome = DataTransfer(m_settings, m_history).restore(path, mode);
    // Even a restore that failed half-way was undone through the store: the list shows what
    // is stored now.
    m_reloadProfiles();
    if (outcome.ok)
        MessageBoxes::instance().confirmation(m_host, outcome.message);
    else
        MessageBoxes::instance().refusal(m_host, outcome.message);
}

QString DataMenu::chooseFile(bool saving)
{
    QFileDialog dialog(m_host, saving ? tr("Сохранить копию данных") : tr("Восстановить из копии"));
    // A window of its own: it takes the program's font only when told.
    dialog.setFont(m_host->font());
    // Qt's own dialog: Russian like the rest of the program whatever the desktop's language.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QString filter = tr("Копия данных Kalder Vitalon (*.%1)").arg(CopyFile::suffix());
    if (saving) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(filter);
        dialog.setDefaultSuffix(CopyFile::suffix());
        dialog.setDirectory(startFolder());
        dialog.selectFile(QStringLiteral("kalder-vitalon-%1.%2")
                              .arg(QDate::currentDate().toString(Qt::ISODate), CopyFile::suffix()));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters({filter, tr("Все файлы (*)")});
        dialog.setDirectory(startFolder());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString path = dialog.selectedFiles().constFirst();
    lastFolder() = QFileInfo(path).absolutePath();
    return path;
}
