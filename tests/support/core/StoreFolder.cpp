#include "StoreFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

StoreFolder::StoreFolder() = default;

QString StoreFolder::file() const
{
    return m_dir.filePath(QStringLiteral("Kalder_Programming/Kalder_Programming.conf"));
}

QByteArray StoreFolder::bytes() const
{
    QFile f(file());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool StoreFolder::copyLegacyProfiles() const
{
    const QString fixture = QStringLiteral(VITALON_TEST_FIXTURES) +
                            QStringLiteral("/legacy-profiles/Kalder_Programming/"
                                           "Kalder_Programming.conf");
    return QDir().mkpath(QFileInfo(file()).path()) && QFile::copy(fixture, file()) &&
           QFile::setPermissions(file(), QFile::ReadOwner | QFile::WriteOwner);
}

void StoreFolder::useForNativeStore() const
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
}
