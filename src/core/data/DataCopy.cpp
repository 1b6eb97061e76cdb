#include "core/data/DataCopy.h"

#include "core/profiles/ProfileStore.h"

#include <QCoreApplication>
#include <QSet>

#include <algorithm>

namespace {

constexpr qsizetype longestName = 1000;
constexpr qsizetype longestValue = 64;
// Far beyond any real store, and far enough from the end of the range that numbering on
// from it never overflows.
constexpr qint64 highestNumber = qint64(1) << 40;

QString tr(const char* text)
{
    return QCoreApplication::translate("DataCopy", text);
}

bool hasControlCharacters(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

// A number as the store writes it: plain decimal, no sign, no leading zeros.
bool plainNumber(const QString& text)
{
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    return ok && n >= 0 && n <= highestNumber && QString::number(n) == text;
}

} // namespace

bool DataCopy::nameAccepted(const QString& name)
{
    return !name.trimmed().isEmpty() && name.size() <= longestName &&
           ProfileStore::nameAllowed(name) && !hasControlCharacters(name);
}

bool DataCopy::valueAccepted(const QString& text)
{
    return text.size() <= longestValue && !hasControlCharacters(text);
}

QString DataCopy::fault() const
{
    QSet<QString> listed;
    for (auto it = listKeys.cbegin(); it != listKeys.cend(); ++it) {
        if (it.key() == ProfileStore::lastIndexKey()) {
            if (!plainNumber(it.value()))
                return tr("список профилей: номер «%1»").arg(it.value().left(40));
        } else if (const qint64 n = ProfileStore::numberOfKey(it.key());
                   n == 0 || n > highestNumber) {
            return tr("список профилей: ключ «%1»").arg(it.key().left(40));
        } else if (!nameAccepted(it.value())) {
            return tr("список профилей: имя под ключом %1").arg(it.key());
        } else {
            listed.insert(it.value());
        }
    }
    for (auto it = profiles.cbegin(); it != profiles.cend(); ++it) {
        if (!listed.contains(it.key()))
            return tr("профиль «%1» не значится в списке").arg(it.key().left(40));
        const QHash<QString, QString>& section = it.value();
        const QHash<QString, QString> readable = ProfileStore::readableTexts(section);
        for (auto key = section.cbegin(); key != section.cend(); ++key) {
            if (!readable.contains(key.key()) || !valueAccepted(key.value()))
                return tr("профиль «%1», ключ «%2»").arg(it.key().left(40), key.key().left(40));
        }
    }
    if (listed.size() != profiles.size())
        return tr("в списке профилей есть профиль без данных");
    for (const HistoryEntry& e : entries) {
        if (!e.isValid() || e.profileName.size() > longestName)
            return tr("запись истории от %1").arg(e.recordedAt.toString(Qt::ISODate));
    }
    return QString();
}

QStringList DataCopy::names() const
{
    QList<QPair<qint64, QString>> numbered;
    for (auto it = listKeys.cbegin(); it != listKeys.cend(); ++it) {
        if (const qint64 n = ProfileStore::numberOfKey(it.key()))
            numbered.append({n, it.value()});
    }
    std::sort(numbered.begin(), numbered.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList result;
    QSet<QString> seen;
    for (const auto& [number, name] : numbered) {
        if (!seen.contains(name)) {
            seen.insert(name);
            result.append(name);
        }
    }
    return result;
}

qint64 DataCopy::lastNumber() const
{
    qint64 last = listKeys.value(ProfileStore::lastIndexKey()).toLongLong();
    for (auto it = listKeys.cbegin(); it != listKeys.cend(); ++it)
        last = std::max(last, ProfileStore::numberOfKey(it.key()));
    return std::max<qint64>(last, 0);
}
