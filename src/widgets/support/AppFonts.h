#pragma once

#include <QFont>

// The windows are laid out for Tahoma 8.25 pt. Where the system has no Tahoma, the
// metric-compatible one from Debian's fonts-wine is registered for this process.
class AppFonts
{
public:
    // Safe to call more than once; returns true when Tahoma is available afterwards.
    static bool registerTahoma();
    static QFont tahoma(double pointSize = 8.25, bool bold = false);
};
