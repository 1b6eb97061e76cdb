#include "core/profiles/ProfileStore.h"

#include "core/profiles/ProfileKeys.h"
#include "core/profiles/SettingsStore.h"

#include <algorithm>
#include <limits>

namespace {

// Plain decimal within [min, max], blanks around it allowed; anything else is no value.
std::optional<int> parseInt(const QString& text, int min = std::numeric_limits<int>::min(),
                            int max = std::numeric_limits<int>::max())
{
    bool ok = false;
    const qint64 wide = text.trimmed().toLongLong(&ok);
    if (!ok || wide < min || wide > max)
        return std::nullopt;
    return static_cast<int>(wide);
}

std::optional<bool> parseOption(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

} // namespace

ProfileStore::ProfileStore(SettingsStore& store) : m_store(store) {}

QString ProfileStore::nameKey(qint64 number)
{
    return QLatin1Char('_') + QString::number(number) + QLatin1Char('_');
}

qint64 ProfileStore::numberOfKey(const QString& key)
{
    if (key.size() < 3 || !key.startsWith(QLatin1Char('_')) || !key.endsWith(QLatin1Char('_')))
        return 0;
    // Read in place: the list of thousands of profiles is read by every profile command.
    const QStringView digits = QStringView(key).sliced(1, key.size() - 2);
    if (digits.front() == QLatin1Char('0'))
        return 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    }
    bool ok = false;
    const qint64 n = digits.toLongLong(&ok);
    return ok ? n : 0;
}

QHash<QString, QString> ProfileStore::readableTexts(const QHash<QString, QString>& section)
{
    const QHash<QString, QString> read = texts(inputs(section));
    QHash<QString, QString> result;
    for (auto it = section.cbegin(); it != section.cend(); ++it) {
        if (read.contains(it.key()))
            result.insert(it.key(), it.value());
    }
    return result;
}

bool ProfileStore::nameAllowed(const QString& name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

QHash<QString, QString> ProfileStore::texts(const ProfileInputs& inputs)
{
    QHash<QString, QString> result;
    for (const ProfileKeys::Key& key : ProfileKeys::all()) {
        switch (key.kind) {
        case ProfileKeys::Kind::Slider:
        case ProfileKeys::Kind::Rating:
            if (const std::optional<int>& v = inputs.*key.value)
                result.insert(key.name(), QString::number(*v));
            break;
        case ProfileKeys::Kind::Option:
            if (const std::optional<bool>& on = inputs.*key.option)
                result.insert(key.name(), *on ? QStringLiteral("True") : QStringLiteral("False"));
            break;
        case ProfileKeys::Kind::Statement:
            if (const std::optional<int>& v = inputs.statements[size_t(key.statement)])
                result.insert(key.name(), QString::number(*v));
            break;
        }
    }
    return result;
}

ProfileInputs ProfileStore::inputs(const QHash<QString, QString>& texts)
{
    const int ratings = static_cast<int>(AssessmentRecord::ratingTexts().size());
    ProfileInputs result;
    for (const ProfileKeys::Key& key : ProfileKeys::all()) {
        const auto it = texts.constFind(key.name());
        if (it == texts.cend())
            continue;
        switch (key.kind) {
        case ProfileKeys::Kind::Slider:
            // Any whole number: the slider keeps its value within its own range.
            result.*key.value = parseInt(it.value());
            break;
        case ProfileKeys::Kind::Rating:
            // -1: saved with no rating chosen.
            result.*key.value = parseInt(it.value(), -1, ratings - 1);
            break;
        case ProfileKeys::Kind::Option:
            result.*key.option = parseOption(it.value());
            break;
        case ProfileKeys::Kind::Statement:
            result.statements[size_t(key.statement)] = parseInt(it.value(), 0, 2);
            break;
        }
    }
    return result;
}

ProfileStore::Numbers ProfileStore::numbers() const
{
    Numbers result;
    const QHash<QString, QString> keys = m_store.keys(application(), listSection());
    for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
        if (const qint64 n = numberOfKey(it.key()))
            result.names.append({n, it.value()});
    }
    std::sort(result.names.begin(), result.names.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    // An unreadable or negative LastIndex counts as 0; a name key above it still keeps its
    // number, so the next profile never takes over an existing one.
    bool ok = false;
    const qint64 last = keys.value(lastIndexKey()).trimmed().toLongLong(&ok);
    result.last = ok && last > 0 ? last : 0;
    if (!result.names.isEmpty())
        result.last = std::max(result.last, result.names.constLast().first);
    return result;
}

qint64 ProfileStore::numberOf(const QString& name, const Numbers& n)
{
    // Only existing name keys are visited: a LastIndex of billions costs nothing.
    for (const auto& [number, stored] : n.names) {
        if (stored == name)
            return number;
    }
    return 0;
}

QStringList ProfileStore::LoadPresets() const
{
    QStringList names;
    const Numbers n = numbers();
    for (const auto& [number, name] : n.names) {
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

void ProfileStore::readListAhead()
{
    m_store.readAhead(application(), listSection());
}

bool ProfileStore::Save(const QString& name, bool listedAlready, const ProfileInputs& inputs)
{
    const Numbers n = numbers();
    if (n.last == std::numeric_limits<qint64>::max())
        return false;

    SettingsStore::Batch batch;
    if (listedAlready) {
        if (const qint64 old = numberOf(name, n)) {
            batch.deleteKey(listSection(), nameKey(old));
            batch.deleteSection(profileSection(name));
        }
    }
    const qint64 number = n.last + 1;
    batch.save(listSection(), nameKey(number), name);
    batch.save(listSection(), lastIndexKey(), QString::number(number));
    const QString section = profileSection(name);
    const QHash<QString, QString> values = texts(inputs);
    for (const ProfileKeys::Key& key : ProfileKeys::all()) {
        const auto it = values.constFind(key.name());
        if (it != values.cend())
            batch.save(section, it.key(), it.value());
    }
    return m_store.apply(application(), batch);
}

ProfileInputs ProfileStore::Read(const QString& name) const
{
    return inputs(m_store.keys(application(), profileSection(name)));
}

bool ProfileStore::DelPreset(const QString& name)
{
    const qint64 number = numberOf(name, numbers());
    if (!number)
        return true;
    SettingsStore::Batch batch;
    batch.deleteKey(listSection(), nameKey(number));
    batch.deleteSection(profileSection(name));
    return m_store.apply(application(), batch);
}
