#pragma once

#include <QString>

// Template stores built once and copied for every run that changes them.

// Copies every file below `from` to the same place below `to`.
void copyFolder(const QString& from, const QString& to);
// The size of every file below the folder together, in MB.
double folderMegabytes(const QString& folder);
