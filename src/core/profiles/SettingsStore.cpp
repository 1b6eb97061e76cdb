#include "core/profiles/SettingsStore.h"

#include <QSettings>
#include <QVariant>

#include <utility>

namespace {

QString sectionPath(const QString& section)
{
    QString path = section;
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QString keyPath(const QString& section, const QString& key)
{
    return sectionPath(section) + QLatin1Char('/') + key;
}

// QSettings::remove() takes every key below the given one with it. A profile named like a
// list key ("LastIndex", "_1_") has a section of that very name, so removing one key must
// keep the keys below it.
void removeKeyOnly(QSettings& s, const QString& full)
{
    s.beginGroup(full);
    const QStringList below = s.allKeys();
    QList<QVariant> values;
    values.reserve(below.size());
    for (const QString& k : below)
        values.append(s.value(k));
    s.endGroup();
    s.remove(full);
    for (qsizetype i = 0; i < below.size(); ++i)
        s.setValue(full + QLatin1Char('/') + below.at(i), values.at(i));
}

} // namespace

void SettingsStore::Batch::save(const QString& section, const QString& key, const QString& value)
{
    m_steps.append({Kind::Save, section, key, value});
}

void SettingsStore::Batch::deleteKey(const QString& section, const QString& key)
{
    m_steps.append({Kind::DeleteKey, section, key, QString()});
}

void SettingsStore::Batch::deleteSection(const QString& section)
{
    m_steps.append({Kind::DeleteSection, section, QString(), QString()});
}

SettingsStore::SettingsStore(const QString& folder) : m_folder(folder) {}

SettingsStore::~SettingsStore() = default;

QSettings& SettingsStore::settings(const QString& application) const
{
    auto it = m_open.find(application);
    if (it == m_open.end()) {
        std::unique_ptr<QSettings> s;
        if (m_folder.isEmpty()) {
            s = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            organisation(), application);
        } else {
            s = std::make_unique<QSettings>(m_folder + QLatin1Char('/') + organisation() +
                                                QLatin1Char('/') + application +
                                                QStringLiteral(".conf"),
                                            QSettings::IniFormat);
        }
        // Only this application's own file; never values from the organisation-wide one.
        s->setFallbacksEnabled(false);
        s->setAtomicSyncRequired(true);
        it = m_open.emplace(application, std::move(s)).first;
    }
    return *it->second;
}

QHash<QString, QString> SettingsStore::keys(const QString& application,
                                            const QString& section) const
{
    QSettings& s = settings(application);
    QHash<QString, QString> result;
    s.beginGroup(sectionPath(section));
    const QStringList names = s.childKeys();
    result.reserve(names.size());
    for (const QString& k : names)
        result.insert(k, s.value(k).toString());
    s.endGroup();
    return result;
}

bool SettingsStore::apply(const QString& application, const Batch& batch)
{
    // A status left over from an earlier failure would make this write look failed too.
    if (settings(application).status() == QSettings::AccessError)
        m_open.erase(application);
    QSettings& s = settings(application);

    // What each touched key held before, so a refused write can be taken back in memory.
    struct Before
    {
        QString key;
        std::optional<QVariant> value;
    };
    QList<Before> before;
    QHash<QString, bool> remembered;
    const auto remember = [&](const QString& full) {
        if (remembered.contains(full))
            return;
        remembered.insert(full, true);
        before.append(
            {full, s.contains(full) ? std::optional<QVariant>(s.value(full)) : std::nullopt});
    };

    for (const Batch::Step& step : batch.m_steps) {
        switch (step.kind) {
        case Batch::Kind::Save: {
            const QString full = keyPath(step.section, step.key);
            remember(full);
            s.setValue(full, step.value);
            break;
        }
        case Batch::Kind::DeleteKey: {
            const QString full = keyPath(step.section, step.key);
            if (s.contains(full)) {
                remember(full);
                removeKeyOnly(s, full);
            }
            break;
        }
        case Batch::Kind::DeleteSection: {
            const QString path = sectionPath(step.section);
            s.beginGroup(path);
            const QStringList names = s.childKeys();
            s.endGroup();
            for (const QString& k : names) {
                const QString full = path + QLatin1Char('/') + k;
                remember(full);
                removeKeyOnly(s, full);
            }
            break;
        }
        }
    }

    s.sync();
    // A file that reads with a format error is still written; only a refused write fails.
    if (s.status() != QSettings::AccessError)
        return true;

    for (auto it = before.crbegin(); it != before.crend(); ++it) {
        if (it->value)
            s.setValue(it->key, *it->value);
        else
            removeKeyOnly(s, it->key);
    }
    // Start the next access afresh rather than with a status that reports this failure.
    m_open.erase(application);
    return false;
}
