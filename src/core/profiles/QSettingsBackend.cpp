#include "core/profiles/QSettingsBackend.h"

#include <QVariant>

#include <optional>

namespace {

QString keyPath(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
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

QSettingsBackend::QSettingsBackend(const QString& organisation, const QString& application,
                                   const QString& iniFile)
    : m_organisation(organisation), m_application(application), m_iniFile(iniFile)
{
    open();
}

void QSettingsBackend::open()
{
    if (m_iniFile.isEmpty()) {
        m_settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                 m_organisation, m_application);
    } else {
        m_settings = std::make_unique<QSettings>(m_iniFile, QSettings::IniFormat);
    }
    // Only this application's own file; never values from the organisation-wide one.
    m_settings->setFallbacksEnabled(false);
    m_settings->setAtomicSyncRequired(true);
}

QHash<QString, QString> QSettingsBackend::keys(const QString& section)
{
    QSettings& s = *m_settings;
    QHash<QString, QString> result;
    s.beginGroup(section);
    const QStringList names = s.childKeys();
    result.reserve(names.size());
    for (const QString& k : names)
        result.insert(k, s.value(k).toString());
    s.endGroup();
    return result;
}

bool QSettingsBackend::apply(const SettingsStore::Batch& batch)
{
    using Kind = SettingsStore::Batch::Kind;
    // A status left over from an earlier failure would make this write look failed too.
    if (m_settings->status() == QSettings::AccessError)
        open();
    QSettings& s = *m_settings;

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

    for (const SettingsStore::Batch::Step& step : batch.steps()) {
        switch (step.kind) {
        case Kind::Save: {
            const QString full = keyPath(step.section, step.key);
            remember(full);
            s.setValue(full, step.value);
            break;
        }
        case Kind::DeleteKey: {
            const QString full = keyPath(step.section, step.key);
            if (s.contains(full)) {
                remember(full);
                removeKeyOnly(s, full);
            }
            break;
        }
        case Kind::DeleteSection: {
            s.beginGroup(step.section);
            const QStringList names = s.childKeys();
            s.endGroup();
            for (const QString& k : names) {
                const QString full = keyPath(step.section, k);
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
    open();
    return false;
}
