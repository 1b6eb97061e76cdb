#include "core/history/HistoryCsv.h"

#include "core/assessment/ComputeAssessment.h"
#include "core/history/HistoryStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <QTimeZone>

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

const char* const Context = "HistoryCsv";

// The columns before the statements and after them; the statements' own texts head theirs.
const char* const LeadingColumns[] = {
    QT_TRANSLATE_NOOP("HistoryCsv", "Профиль"),
    QT_TRANSLATE_NOOP("HistoryCsv", "Дата и время"),
    QT_TRANSLATE_NOOP("HistoryCsv", "Пол"),
    QT_TRANSLATE_NOOP("HistoryCsv", "Календарный возраст, лет"),
    QT_TRANSLATE_NOOP("HistoryCsv", "Масса тела, кг"),
    QT_TRANSLATE_NOOP("HistoryCsv", "Систолическое давление, мм рт. ст."),
    QT_TRANSLATE_NOOP("HistoryCsv", "Диастолическое давление, мм рт. ст."),
    QT_TRANSLATE_NOOP("HistoryCsv", "Задержка дыхания, с"),
    QT_TRANSLATE_NOOP("HistoryCsv", "Статическая балансировка, с"),
};
const char* const TrailingColumns[] = {
    QT_TRANSLATE_NOOP("HistoryCsv", "Состояние своего здоровья"),
    QT_TRANSLATE_NOOP("HistoryCsv", "Индекс здоровья"),
    QT_TRANSLATE_NOOP("HistoryCsv", "Биологический возраст, лет"),
    QT_TRANSLATE_NOOP("HistoryCsv", "Полный биологический возраст, лет"),
    QT_TRANSLATE_NOOP("HistoryCsv", "Разница, лет"),
    QT_TRANSLATE_NOOP("HistoryCsv", "Вывод"),
};

// Decimal digits, at least `width` of them; much cheaper than a formatted print on every field.
void appendDigits(QByteArray& out, quint64 value, int width = 1)
{
    char digits[24];
    int length = 0;
    do {
        digits[length++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0 || length < width);
    while (length > 0)
        out += digits[--length];
}

QString translated(const char* text)
{
    return QCoreApplication::translate(Context, text);
}

} // namespace

HistoryCsv::HistoryCsv(QChar decimalSeparator)
    : m_decimal(decimalSeparator),
      m_separator(decimalSeparator == QLatin1Char(',') ? QLatin1Char(';') : QLatin1Char(','))
{
}

// The texts every row picks from, encoded once: a large history repeats them on every row.
struct HistoryCsv::Encoded
{
    QByteArray male;
    QByteArray female;
    QByteArray ratings[5]; // -1 (no selection, an empty field) to 3
    QByteArray verdicts[6];
    QString lastName;
    QByteArray lastNameField;
    // The system's zone read once: converting to local time re-reads the zone file each time.
    QTimeZone zone = QTimeZone::systemTimeZone();
};

QByteArray HistoryCsv::text(const QList<HistoryEntry>& entries) const
{
    Encoded encoded;
    encoded.male = field(translated(QT_TRANSLATE_NOOP("HistoryCsv", "мужской")));
    encoded.female = field(translated(QT_TRANSLATE_NOOP("HistoryCsv", "женский")));
    for (int rating = 0; rating < 4; ++rating)
        encoded.ratings[rating + 1] = field(AssessmentRecord::ratingTexts().value(rating));
    for (int verdict = 0; verdict < 6; ++verdict)
        encoded.verdicts[verdict] = field(VerdictTitle(verdict));

    QByteArray out("\xEF\xBB\xBF");
    out += headerRow();
    out.reserve(out.size() + entries.size() * 320);
    for (const HistoryEntry& entry : entries)
        appendRow(out, entry, encoded);
    return out;
}

bool HistoryCsv::write(const QString& path, const QList<HistoryEntry>& entries, QString* why) const
{
    QSaveFile file(path);
    const QByteArray bytes = text(entries);
    // commit() alone would rename a file whose last buffered bytes a full disk refused: they
    // are flushed and checked first.
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                         file.flush() && file.commit();
    if (!written && why)
        *why = QCoreApplication::translate("HistoryCsv", "Файл «%1» не удалось записать: %2.")
                   .arg(QDir::toNativeSeparators(path), file.errorString());
    return written;
}

bool HistoryCsv::exportHistory(HistoryStore& store, const QString& path,
                               const std::optional<QString>& profileName, QString* why) const
{
    const auto unreadable = [&] {
        if (why)
            *why = QCoreApplication::translate("HistoryCsv", "История недоступна: %1.")
                       .arg(store.problemDetail());
        return false;
    };
    if (!profileName) {
        // One read of the whole history rather than a query per profile.
        const auto all = store.allEntriesByProfile();
        if (!all)
            return unreadable();
        return write(path, *all, why);
    }
    const auto entries = store.entries(*profileName);
    if (!entries)
        return unreadable();
    // The store gives them newest first; a spreadsheet reads best from the oldest.
    QList<HistoryEntry> all;
    all.reserve(entries->size());
    std::reverse_copy(entries->begin(), entries->end(), std::back_inserter(all));
    return write(path, all, why);
}

QByteArray HistoryCsv::headerRow() const
{
    QByteArray out;
    QStringList columns;
    for (const char* column : LeadingColumns)
        columns.append(translated(column));
    columns += AssessmentRecord::statementTexts();
    for (const char* column : TrailingColumns)
        columns.append(translated(column));
    for (int i = 0; i < columns.size(); ++i) {
        if (i > 0)
            out += m_separator.toLatin1();
        out += field(columns.at(i));
    }
    out += "\r\n";
    return out;
}

void HistoryCsv::appendRow(QByteArray& out, const HistoryEntry& e, Encoded& encoded) const
{
    const char separator = m_separator.toLatin1();
    const AssessmentRecord& r = e.inputs;
    // Rows of one profile follow each other: its name is encoded once.
    if (encoded.lastNameField.isNull() || encoded.lastName != e.profileName) {
        encoded.lastName = e.profileName;
        encoded.lastNameField = field(e.profileName);
    }
    out += encoded.lastNameField;
    out += separator;
    const QDateTime local = e.recordedAt.toTimeZone(encoded.zone);
    const QDate date = local.date();
    const QTime time = local.time();
    appendDigits(out, static_cast<quint64>(std::max(0, date.year())), 4);
    for (const auto& [separatorBefore, value] : {std::pair{'-', date.month()},
                                                 {'-', date.day()},
                                                 {' ', time.hour()},
                                                 {':', time.minute()},
                                                 {':', time.second()}}) {
        out += separatorBefore;
        appendDigits(out, static_cast<quint64>(value), 2);
    }
    out += separator;
    out += r.sex == Sex::Male ? encoded.male : encoded.female;
    for (int value : {r.calendarAge, r.bodyMass, r.systolicPressure, r.diastolicPressure,
                      r.breathHold, r.balance}) {
        out += separator;
        appendNumber(out, value);
    }
    for (int state : r.statements) {
        out += separator;
        appendNumber(out, state);
    }
    out += separator;
    if (r.healthRating >= -1 && r.healthRating <= 3)
        out += encoded.ratings[r.healthRating + 1];
    out += separator;
    appendNumber(out, e.healthIndex);
    for (FixedPoint age : {e.biologicalAge, e.properBiologicalAge, e.ageDifference}) {
        out += separator;
        appendNumber(out, age);
    }
    out += separator;
    if (e.verdictCase >= 0 && e.verdictCase <= 5)
        out += encoded.verdicts[e.verdictCase];
    out += "\r\n";
}

QByteArray HistoryCsv::field(const QString& text) const
{
    const bool quoted = std::any_of(text.begin(), text.end(), [this](QChar c) {
        return c == m_separator || c == u'"' || c == u'\r' || c == u'\n';
    });
    if (!quoted)
        return text.toUtf8();
    return '"' + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")).toUtf8() + '"';
}

void HistoryCsv::appendNumber(QByteArray& out, qint64 value)
{
    if (value < 0)
        out += '-';
    appendDigits(out, value < 0 ? 0 - static_cast<quint64>(value) : static_cast<quint64>(value));
}

// Every decimal the value has, none more (51,41; 20,2345; −3 as -3): a spreadsheet reads the
// plain hyphen-minus, not the typographic minus the window shows.
void HistoryCsv::appendNumber(QByteArray& out, FixedPoint value) const
{
    const qint64 raw = value.raw();
    const quint64 magnitude = raw < 0 ? 0 - static_cast<quint64>(raw) : static_cast<quint64>(raw);
    if (raw < 0)
        out += '-';
    appendDigits(out, magnitude / 10000);
    quint64 fraction = magnitude % 10000;
    if (fraction == 0)
        return;
    int digits = 4;
    while (fraction % 10 == 0) {
        fraction /= 10;
        --digits;
    }
    out += m_decimal.toLatin1();
    appendDigits(out, fraction, digits);
}
