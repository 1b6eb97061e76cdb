#pragma once

#include <QString>

// The application title: every message box and the single-copy rule use it.
inline constexpr const char* AppTitle = "Kalder Vitalon";

// The program version as major.minor.revision without leading zeros (2.0.75).
QString VersionString();

// The authors line (the company-name field of the version information).
QString AuthorsString();
