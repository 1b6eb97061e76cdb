#include "core/app/BuildInfo.h"

#include "core/app/BuildConfig.h"

#include <QPushButton>

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

void MakeFlat(QAbstractButton* button)
{
    if (!button)
        return;
    const Qt::FocusPolicy tabStop = button->focusPolicy();
    if (auto* push = qobject_cast<QPushButton*>(button))
        push->setFlat(true);
    button->setFocusPolicy(tabStop);
}
