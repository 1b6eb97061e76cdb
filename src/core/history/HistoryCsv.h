#pragma once

#include "core/history/HistoryEntry.h"

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>

#include <optional>

class HistoryStore;

// The history as a CSV file a spreadsheet opens: UTF-8 with a byte-order mark, a header row and
// one row per entry (profile, local date and time, sex, every input, the index, the three ages
// with all their decimals, the verdict's title). Numbers take the decimal separator given; the
// field separator follows it (";" beside a decimal comma, "," beside a decimal point), so that
// the spreadsheet of that language reads the numbers as numbers. Fields that hold the
// separator, a quote, CR or LF are quoted, quotes doubled (RFC 4180); rows end in CR LF.
class HistoryCsv
{
public:
    explicit HistoryCsv(QChar decimalSeparator = QLatin1Char(','));

    QChar decimalSeparator() const { return m_decimal; }
    QChar fieldSeparator() const { return m_separator; }

    // The whole file: the mark, the header and the entries in the order given.
    QByteArray text(const QList<HistoryEntry>& entries) const;

    // Writes the file whole or not at all (a temporary file beside it, synced, renamed over
    // the target). On failure returns false and, when `why` is given, says why in a sentence.
    bool write(const QString& path, const QList<HistoryEntry>& entries,
               QString* why = nullptr) const;

    // One profile's entries (or, without a name, every profile's, profile by profile in
    // code-point order), oldest first, read from the store and written as write() does.
    bool exportHistory(HistoryStore& store, const QString& path,
                       const std::optional<QString>& profileName, QString* why = nullptr) const;

private:
    struct Encoded;

    QByteArray headerRow() const;
    void appendRow(QByteArray& out, const HistoryEntry& entry, Encoded& encoded) const;
    // A text as one field, quoted where it needs to be.
    QByteArray field(const QString& text) const;
    static void appendNumber(QByteArray& out, qint64 value);
    void appendNumber(QByteArray& out, FixedPoint value) const;

    QChar m_decimal;
    QChar m_separator;
};
