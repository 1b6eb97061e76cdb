#pragma once

#include <QDate>
#include <QString>

// The file name a saved report is offered under: the profile's name and the date,
// "Иван — 10.12.2026.pdf". Characters a file system refuses (/ \ : * ? " < > |, control
// characters) become "_", leading dots and blanks and trailing dots and blanks go, a name that
// Windows keeps for a device gets a "_" in front, and the whole name stays within 255 bytes of
// UTF-8. A name with nothing left is "без имени". The suffix ("pdf", "csv") ends the name.
QString ReportFileName(const QString& profileName, const QDate& date,
                       const QString& suffix = QStringLiteral("pdf"));
