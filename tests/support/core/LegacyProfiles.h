#pragma once

#include "core/profiles/ProfileInputs.h"

#include <QList>
#include <QString>

// What the profiles in the file that version 2.0.75 wrote hold (tests/fixtures/legacy-profiles,
// made with that version's own store and main window). In the order of their numbers: 2 to 6,
// 8 and 9; number 1 was overwritten (now 8), 7 and 10 were deleted, LastIndex is 10.
struct LegacyProfile
{
    QString name;
    ProfileInputs inputs;
};

const QList<LegacyProfile>& legacyProfiles();
