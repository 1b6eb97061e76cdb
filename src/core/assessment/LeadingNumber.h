#pragma once

#include <QString>

// The whole number at the start of a text ("20 лет" gives 20, "-19 лет" gives -19): leading
// blanks skipped, an optional sign, then digits. 0 when the text starts with no number.
int LeadingNumber(const QString& text);
