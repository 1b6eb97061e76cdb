#pragma once

#include "core/profiles/SettingsStore.h"

#include <QHash>
#include <QString>

// Where one application's values are kept; SettingsStore picks the kind.
class SettingsBackend
{
public:
    virtual ~SettingsBackend() = default;

    // Sections are "/"-separated paths as SettingsStore passes them on.
    virtual QHash<QString, QString> keys(const QString& section) = 0;
    // All steps of the batch are stored, or none; false when the store refused them.
    virtual bool apply(const SettingsStore::Batch& batch) = 0;
    // May read the section ahead of its first keys(), where that saves the caller's thread
    // the wait.
    virtual void readAhead(const QString& section) { Q_UNUSED(section) }
};
