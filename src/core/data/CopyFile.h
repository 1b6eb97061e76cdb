#pragma once

#include "core/data/DataCopy.h"

#include <QString>

#include <optional>

// The backup copy on disk: one SQLite file with the program's application id and a format
// version of its own, holding a DataCopy.
class CopyFile
{
public:
    static constexpr qint32 applicationId = 0x4B566974; // "KVit"
    static constexpr int formatVersion = 1;
    static QString suffix() { return QStringLiteral("kvbackup"); }

    // Writes the copy to path: built beside it, synced, and renamed over it, so that an
    // existing file is replaced whole or not at all. Returns why it failed, or nothing.
    static std::optional<QString> write(const QString& path, const DataCopy& copy);

    struct Reading
    {
        std::optional<DataCopy> copy;
        QString refusal; // why the file is no copy to restore, when copy is empty
    };
    // Reads a copy without changing the file, trusting nothing in it: anything but a sound copy
    // of this program in a format it knows, holding only values it could have written, is
    // refused.
    static Reading read(const QString& path);
};
