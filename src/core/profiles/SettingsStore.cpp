#include "core/profiles/SettingsStore.h"

#include "core/profiles/DatabaseSettingsBackend.h"
#include "core/profiles/QSettingsBackend.h"

#include <QFileInfo>
#include <QSettings>

namespace {

QString sectionPath(const QString& section)
{
    QString path = section;
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// The folder of this user's native settings, as QSettings finds it (QSettings::setPath
// included): the organisation-wide file lies in it. That file is small or absent, unlike the
// application's own one, which must not be read just to learn where it is.
QString userSettingsFolder()
{
    const QSettings organisationWide(QSettings::NativeFormat, QSettings::UserScope,
                                     SettingsStore::organisation());
    return QFileInfo(organisationWide.fileName()).path();
}

} // namespace

void SettingsStore::Batch::save(const QString& section, const QString& key, const QString& value)
{
    m_steps.append({Kind::Save, sectionPath(section), key, value});
}

void SettingsStore::Batch::deleteKey(const QString& section, const QString& key)
{
    m_steps.append({Kind::DeleteKey, sectionPath(section), key, QString()});
}

void SettingsStore::Batch::deleteSection(const QString& section)
{
    m_steps.append({Kind::DeleteSection, sectionPath(section), QString(), QString()});
}

SettingsStore::Backend SettingsStore::platformBackend()
{
#ifdef Q_OS_WIN
    return Backend::QSettings;
#else
    return Backend::Database;
#endif
}

QString SettingsStore::normalisedPath(QStringView path)
{
    QString result;
    result.reserve(path.size());
    bool separator = false;
    for (const QChar c : path) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\')) {
            separator = !result.isEmpty();
            continue;
        }
        if (separator) {
            result += QLatin1Char('/');
            separator = false;
        }
        result += c;
    }
    return result;
}

SettingsStore::SettingsStore(const QString& folder) : SettingsStore(folder, platformBackend()) {}

SettingsStore::SettingsStore(const QString& folder, Backend backend)
    : m_folder(folder), m_backend(backend)
{
}

SettingsStore::~SettingsStore() = default;

SettingsBackend& SettingsStore::backend(const QString& application) const
{
    auto it = m_open.find(application);
    if (it == m_open.end()) {
        std::unique_ptr<SettingsBackend> b;
        if (m_backend == Backend::QSettings && m_folder.isEmpty()) {
            b = std::make_unique<QSettingsBackend>(organisation(), application, QString());
        } else {
            const QString base = (m_folder.isEmpty() ? userSettingsFolder() : m_folder) +
                                 QLatin1Char('/') + organisation() + QLatin1Char('/') + application;
            if (m_backend == Backend::QSettings)
                b = std::make_unique<QSettingsBackend>(organisation(), application,
                                                       base + QStringLiteral(".conf"));
            else
                b = std::make_unique<DatabaseSettingsBackend>(
                    m_folder, application,
                    QStringList{base + QStringLiteral(".sections.ini"),
                                base + QStringLiteral(".conf")});
        }
        it = m_open.emplace(application, std::move(b)).first;
    }
    return *it->second;
}

QHash<QString, QString> SettingsStore::keys(const QString& application,
                                            const QString& section) const
{
    return backend(application).keys(sectionPath(section));
}

bool SettingsStore::apply(const QString& application, const Batch& batch)
{
    return backend(application).apply(batch);
}

void SettingsStore::readAhead(const QString& application, const QString& section)
{
    backend(application).readAhead(sectionPath(section));
}
