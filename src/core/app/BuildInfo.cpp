#include "core/app/BuildInfo.h"

#include "core/app/BuildConfig.h"

QString VersionString()
{
    return QStringLiteral("%1.%2.%3")
        .arg(VITALON_VERSION_MAJOR)
        .arg(VITALON_VERSION_MINOR)
        .arg(VITALON_VERSION_REVISION);
}

QString AuthorsString()
{
    return QString::fromUtf8(VITALON_AUTHORS);
}
