#include "StoreFolder.h"

#include "StoreAccess.h"

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

QByteArray StoreFolder::bytes() const
{
    return fileBytes(file());
}

bool StoreFolder::copyLegacyProfiles() const
{
    return copyLegacyFixture(QStringLiteral("legacy-profiles"));
}

bool StoreFolder::copyLegacyFixture(const QString& fixture) const
{
    const QString from = QStringLiteral(VITALON_TEST_FIXTURES) + QLatin1Char('/') + fixture +
                         QStringLiteral("/Kalder_Programming/Kalder_Programming.conf");
    const QString to = legacyFile();
    return QDir().mkpath(QFileInfo(to).path()) && QFile::copy(from, to) &&
           QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
}

void StoreFolder::useForNativeStore() const
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
}
