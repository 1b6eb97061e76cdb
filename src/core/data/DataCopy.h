#pragma once

#include "core/history/HistoryEntry.h"

#include <QHash>
#include <QList>
#include <QString>

// Everything a user keeps, as one backup copy holds it: the profile list section's keys, each
// listed profile's section (texts as the store keeps them) and the whole history.
struct DataCopy
{
    QHash<QString, QString> listKeys;                 // "LastIndex" and the name keys "_n_"
    QHash<QString, QHash<QString, QString>> profiles; // by name: the section's keys and texts
    QList<HistoryEntry> entries;                      // in the order recorded

    // A profile name a copy may carry: what the profile box could have saved.
    static bool nameAccepted(const QString& name);
    // A value text of a profile section: one the reading steps take, not absurdly long.
    static bool valueAccepted(const QString& text);

    // Why this copy must not be restored, for a message ("профиль «…»: …"); empty when every
    // key, name, text and entry is one this program could have written.
    QString fault() const;

    // The distinct listed names in ascending number order (the first number of a name counts).
    QStringList names() const;
    // The highest number given out: "LastIndex" or a higher name key.
    qint64 lastNumber() const;
};
