#include "windows/results/HistoryMessages.h"

#include "core/history/HistoryStore.h"
#include "widgets/support/MessageBoxes.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString folderOf(const HistoryStore& store)
{
    const QString file = store.location();
    return file.isEmpty() ? QString() : QDir::toNativeSeparators(QFileInfo(file).absolutePath());
}

QString refusal(const HistoryStore& store, HistoryMessages::Action action)
{
    if (store.problem() == HistoryStore::Problem::NewerDatabase)
        return HistoryMessages::tr("История записана более новой версией программы. Эта версия не "
                                   "может её ни показать, ни дополнить.");
    const QString folder = folderOf(store);
    switch (action) {
    case HistoryMessages::Action::Record:
        if (store.problem() == HistoryStore::Problem::InvalidEntry || folder.isEmpty())
            return HistoryMessages::tr("Результат не записан в историю.");
        return HistoryMessages::tr(
                   "Результат не записан в историю: папка «%1» недоступна для записи "
                   "(нет прав или места на диске).")
            .arg(folder);
    case HistoryMessages::Action::Read:
        if (folder.isEmpty())
            return HistoryMessages::tr("Историю не удалось прочитать.");
        return HistoryMessages::tr("Историю не удалось прочитать из папки «%1».").arg(folder);
    case HistoryMessages::Action::Delete:
        if (folder.isEmpty())
            return HistoryMessages::tr("Запись не удалена из истории.");
        return HistoryMessages::tr(
                   "Запись не удалена из истории: папка «%1» недоступна для записи.")
            .arg(folder);
    }
    return QString();
}

} // namespace

void HistoryMessages::afterCall(QWidget* parent, HistoryStore& store, Action action, bool done)
{
    MessageBoxes& boxes = MessageBoxes::instance();
    for (const QString& moved : store.takeMovedAside())
        boxes.refusal(parent,
                      HistoryMessages::tr("Файл истории повреждён или не читается. Он сохранён "
                                          "под именем «%1», история начата заново.")
                          .arg(QDir::toNativeSeparators(moved)));
    if (!done)
        boxes.refusal(parent, refusal(store, action));
}
