#include "StoreFolder.h"

#include "StoreAccess.h"

#include "core/history/UserDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

StoreFolder::StoreFolder() = default;

QString StoreFolder::file() const
{
    return storeFile(m_dir.path());
}

QString StoreFolder::legacyFile() const
{
    return legacyStoreFile(m_dir.path());
}

QString StoreFolder::sectionsFile() const
{
    return legacySectionsFile(m_dir.path());
}

QByteArray StoreFolder::bytes() const
{
    const QMap<QString, QString> keys = databaseKeys(file());
    QByteArray lines;
    for (auto it = keys.cbegin(); it != keys.cend(); ++it)
        lines += (it.key() + QLatin1Char('=') + it.value()).toUtf8() + '\n';
    return lines;
}

bool StoreFolder::copyLegacyProfiles() const
{
    return copyLegacyFixture(QStringLiteral("legacy-profiles"));
}

bool StoreFolder::copyLegacyFixture(const QString& fixture) const
{
    const QDir from(QStringLiteral(VITALON_TEST_FIXTURES) + QLatin1Char('/') + fixture +
                    QStringLiteral("/Kalder_Programming"));
    const QStringList files = from.entryList(QDir::Files);
    if (files.isEmpty() || !QDir().mkpath(QFileInfo(legacyFile()).path()))
        return false;
    for (const QString& name : files) {
        const QString to = QFileInfo(legacyFile()).dir().filePath(name);
        if (!QFile::copy(from.filePath(name), to) ||
            !QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner))
            return false;
    }
    return true;
}

void StoreFolder::useForNativeStore() const
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    UserDatabase::setUserFolder(m_dir.path());
}
