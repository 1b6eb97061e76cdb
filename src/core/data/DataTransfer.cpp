#include "core/data/DataTransfer.h"

#include "core/data/CopyFile.h"
#include "core/history/HistoryStore.h"
#include "core/profiles/ProfileStore.h"
#include "core/profiles/SettingsStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("DataTransfer", text);
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString historyProblem(const HistoryStore& history)
{
    if (history.problem() == HistoryStore::Problem::NewerDatabase)
        return QCoreApplication::translate("DataTransfer",
                                           "история записана более новой версией программы");
    return QCoreApplication::translate("DataTransfer", "история недоступна (%1)")
        .arg(history.problemDetail());
}

// The first number of each listed name, and the highest number given out.
struct Numbering
{
    QHash<QString, qint64> numberOf;
    qint64 last = 0;
};

Numbering numbering(const QHash<QString, QString>& list)
{
    Numbering result;
    for (auto it = list.cbegin(); it != list.cend(); ++it) {
        const qint64 n = ProfileStore::numberOfKey(it.key());
        if (!n)
            continue;
        result.last = std::max(result.last, n);
        if (it.value().isEmpty())
            continue;
        const auto found = result.numberOf.constFind(it.value());
        if (found == result.numberOf.cend() || n < found.value())
            result.numberOf.insert(it.value(), n);
    }
    bool ok = false;
    const qint64 last = list.value(ProfileStore::lastIndexKey()).trimmed().toLongLong(&ok);
    if (ok)
        result.last = std::max(result.last, last);
    return result;
}

} // namespace

DataTransfer::DataTransfer(SettingsStore& settings, HistoryStore& history)
    : m_settings(settings), m_history(history)
{
}

std::optional<DataCopy> DataTransfer::gather(QString* why)
{
    DataCopy copy;
    const QString application = ProfileStore::application();
    const QHash<QString, QString> list = m_settings.keys(application, ProfileStore::listSection());
    // What the program itself would read back: names the profile box could hold and texts
    // the reading steps take. Anything else is no data a copy could bring back usefully.
    for (auto it = list.cbegin(); it != list.cend(); ++it) {
        if (ProfileStore::numberOfKey(it.key()) && DataCopy::nameAccepted(it.value()))
            copy.listKeys.insert(it.key(), it.value());
    }
    const Numbering numbers = numbering(list);
    const QString lastIndex = list.value(ProfileStore::lastIndexKey());
    if (list.contains(ProfileStore::lastIndexKey()) || numbers.last > 0) {
        // Kept as stored where the store wrote it; otherwise the number it stands for.
        bool ok = false;
        const qint64 n = lastIndex.toLongLong(&ok);
        copy.listKeys.insert(ProfileStore::lastIndexKey(),
                             ok && n >= 0 && QString::number(n) == lastIndex
                                 ? lastIndex
                                 : QString::number(numbers.last));
    }
    for (const QString& name : copy.names()) {
        QHash<QString, QString> section = ProfileStore::readableTexts(
            m_settings.keys(application, ProfileStore::profileSection(name)));
        section.removeIf([](const auto& it) { return !DataCopy::valueAccepted(it.value()); });
        copy.profiles.insert(name, section);
    }
    const auto entries = m_history.allEntries();
    if (!entries) {
        *why = historyProblem(m_history);
        return std::nullopt;
    }
    copy.entries = *entries;
    return copy;
}

DataTransfer::Outcome DataTransfer::backup(const QString& path)
{
    QString why;
    const auto copy = gather(&why);
    if (!copy)
        return {false, tr("Копия не сохранена: %1.").arg(why), {}};
    if (const auto error = CopyFile::write(path, *copy))
        return {false, *error + QLatin1Char('.'), {}};
    return {true,
            tr("Копия данных сохранена в «%1»: профилей — %2, записей истории — %3.")
                .arg(shown(path), QString::number(copy->profiles.size()),
                     QString::number(copy->entries.size())),
            {}};
}

DataTransfer::Outcome DataTransfer::restore(const QString& path, Mode mode)
{
    const CopyFile::Reading reading = CopyFile::read(path);
    if (!reading.copy)
        return {false, reading.refusal, {}};
    const DataCopy& copy = *reading.copy;

    QString why;
    const auto before = gather(&why);
    if (!before)
        return {false, tr("Восстановление не выполнено: %1. Ничего не изменено.").arg(why), {}};
    const auto saved = saveAutomaticCopy(*before, &why);
    if (!saved)
        return {false,
                tr("Не удалось сохранить данные перед восстановлением: %1. Ничего не изменено.")
                    .arg(why),
                {}};

    int added = int(copy.entries.size());
    if (mode == Mode::Merge) {
        const auto count = m_history.addMissing(copy.entries);
        if (!count)
            return {false,
                    tr("Восстановление не выполнено: %1. Ничего не изменено.")
                        .arg(historyProblem(m_history)),
                    *saved};
        added = *count;
    } else if (!m_history.replaceAll(copy.entries)) {
        return {false,
                tr("Восстановление не выполнено: %1. Ничего не изменено.")
                    .arg(historyProblem(m_history)),
                *saved};
    }
    if (!putProfiles(copy, mode)) {
        // The history goes back as it was, so that the restore leaves nothing half done.
        const bool undone = m_history.replaceAll(before->entries);
        return {false,
                (undone ? tr("Восстановление не выполнено: профили не удалось записать. Ничего не "
                             "изменено; данные до восстановления сохранены в «%1».")
                        : tr("Восстановление прервано: профили не удалось записать. Данные до "
                             "восстановления сохранены в «%1»: восстановите эту копию с заменой "
                             "всех данных."))
                    .arg(shown(*saved)),
                *saved};
    }
    pruneAutomaticCopies(QFileInfo(*saved).absolutePath());
    const QString undo = tr("Данные до восстановления сохранены в «%1»; чтобы вернуть их, "
                            "восстановите эту копию с заменой всех данных.")
                             .arg(shown(*saved));
    const QString done =
        mode == Mode::Merge
            ? tr("Данные восстановлены из копии «%1»: профилей — %2, добавлено записей истории — "
                 "%3.")
                  .arg(shown(path), QString::number(copy.profiles.size()), QString::number(added))
            : tr("Все данные заменены копией «%1»: профилей — %2, записей истории — %3.")
                  .arg(shown(path), QString::number(copy.profiles.size()), QString::number(added));
    return {true, done + QLatin1Char(' ') + undo, *saved};
}

bool DataTransfer::putProfiles(const DataCopy& copy, Mode mode)
{
    const QString application = ProfileStore::application();
    const QString listSection = ProfileStore::listSection();
    const Numbering stored = numbering(m_settings.keys(application, listSection));
    SettingsStore::Batch batch;
    const auto saveSection = [&](const QString& name) {
        batch.deleteSection(ProfileStore::profileSection(name));
        const QHash<QString, QString> section = copy.profiles.value(name);
        for (auto it = section.cbegin(); it != section.cend(); ++it)
            batch.save(ProfileStore::profileSection(name), it.key(), it.value());
    };
    if (mode == Mode::Replace) {
        for (auto it = stored.numberOf.cbegin(); it != stored.numberOf.cend(); ++it)
            batch.deleteSection(ProfileStore::profileSection(it.key()));
        batch.deleteSection(listSection);
        for (auto it = copy.listKeys.cbegin(); it != copy.listKeys.cend(); ++it)
            batch.save(listSection, it.key(), it.value());
        for (const QString& name : copy.names())
            saveSection(name);
    } else {
        // As the save command saves: a name stored already keeps its number; a new one takes
        // the next after the last of both.
        qint64 next = std::max(stored.last, copy.lastNumber());
        bool numbered = false;
        for (const QString& name : copy.names()) {
            if (!stored.numberOf.contains(name)) {
                batch.save(listSection, ProfileStore::nameKey(++next), name);
                numbered = true;
            }
            saveSection(name);
        }
        if (numbered)
            batch.save(listSection, ProfileStore::lastIndexKey(), QString::number(next));
    }
    return batch.isEmpty() || m_settings.apply(application, batch);
}

std::optional<QString> DataTransfer::saveAutomaticCopy(const DataCopy& before, QString* why)
{
    const QString database = m_history.location();
    if (database.isEmpty()) {
        *why = tr("папка данных неизвестна");
        return std::nullopt;
    }
    const QDir folder = QFileInfo(database).absoluteDir();
    if (!QDir().mkpath(folder.absolutePath())) {
        *why = tr("папку «%1» не удалось создать").arg(shown(folder.absolutePath()));
        return std::nullopt;
    }
    const QString stamp = automaticCopyPrefix() +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString suffix = QLatin1Char('.') + CopyFile::suffix();
    // Several within one second are numbered on past the highest of that second (which the
    // pruning always keeps), so a name a message once gave never stands for a later copy.
    int first = 1;
    for (const QString& name : folder.entryList({stamp + QLatin1Char('*') + suffix})) {
        const QString tail = name.mid(stamp.size(), name.size() - stamp.size() - suffix.size());
        first = std::max(first, tail.isEmpty() ? 2 : tail.mid(1).toInt() + 1);
    }
    for (int n = first; n < first + 100; ++n) {
        const QString path =
            folder.filePath(stamp + (n > 1 ? QStringLiteral("-%1").arg(n) : QString()) + suffix);
        if (QFileInfo::exists(path))
            continue;
        if (const auto error = CopyFile::write(path, before)) {
            *why = *error;
            return std::nullopt;
        }
        return path;
    }
    *why = tr("нет свободного имени для копии");
    return std::nullopt;
}

void DataTransfer::pruneAutomaticCopies(const QString& folder)
{
    QFileInfoList copies = QDir(folder).entryInfoList(
        {automaticCopyPrefix() + QStringLiteral("*.") + CopyFile::suffix()},
        QDir::Files | QDir::Hidden);
    // Newest first; two made within one second keep their order by the time written.
    std::sort(copies.begin(), copies.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.lastModified() != b.lastModified() ? a.lastModified() > b.lastModified()
                                                    : a.fileName() > b.fileName();
    });
    for (qsizetype i = automaticCopiesKept; i < copies.size(); ++i)
        QFile::remove(copies.at(i).absoluteFilePath());
}
