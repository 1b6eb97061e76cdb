#include "core/history/HistoryCsv.h"

#include "core/assessment/ComputeAssessment.h"
#include "core/history/HistoryStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

#include <algorithm>
#include <iterator>

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

QByteArray HistoryCsv::text(const QList<HistoryEntry>& entries) const
{
    QByteArray out("\xEF\xBB\xBF");
    out += headerRow();
    out.reserve(out.size() + entries.size() * 200);
    for (const HistoryEntry& entry : entries)
        appendRow(out, entry);
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
        *why = QCoreApplication::translate(Context, "Файл «%1» не удалось записать: %2.")
                   .arg(QDir::toNativeSeparators(path), file.errorString());
    return written;
}

bool HistoryCsv::exportHistory(HistoryStore& store, const QString& path,
                               const std::optional<QString>& profileName, QString* why) const
{
    const auto unreadable = [&] {
        if (why)
            *why = QCoreApplication::translate(Context, "История недоступна: %1.")
                       .arg(store.problemDetail());
        return false;
    };
    QStringList names;
    if (profileName) {
        names.append(*profileName);
    } else {
        const auto stored = store.profileNames();
        if (!stored)
            return unreadable();
        names = *stored;
    }
    QList<HistoryEntry> all;
    for (const QString& name : names) {
        const auto entries = store.entries(name);
        if (!entries)
            return unreadable();
        // The store gives them newest first; a spreadsheet reads best from the oldest.
        std::reverse_copy(entries->begin(), entries->end(), std::back_inserter(all));
    }
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
        appendField(out, columns.at(i));
    }
    out += "\r\n";
    return out;
}

void HistoryCsv::appendRow(QByteArray& out, const HistoryEntry& e) const
{
    const char separator = m_separator.toLatin1();
    const AssessmentRecord& r = e.inputs;
    appendField(out, e.profileName);
    out += separator;
    out += e.recordedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1();
    out += separator;
    appendField(out, r.sex == Sex::Male ? translated(QT_TRANSLATE_NOOP("HistoryCsv", "мужской"))
                                        : translated(QT_TRANSLATE_NOOP("HistoryCsv", "женский")));
    for (int value : {r.calendarAge, r.bodyMass, r.systolicPressure, r.diastolicPressure,
                      r.breathHold, r.balance}) {
        out += separator;
        out += QByteArray::number(value);
    }
    for (int state : r.statements) {
        out += separator;
        out += QByteArray::number(state);
    }
    out += separator;
    // No selection leaves the field empty.
    appendField(out, AssessmentRecord::ratingTexts().value(r.healthRating));
    out += separator;
    out += QByteArray::number(e.healthIndex);
    for (FixedPoint age : {e.biologicalAge, e.properBiologicalAge, e.ageDifference}) {
        out += separator;
        out += number(age).toLatin1();
    }
    out += separator;
    appendField(out, VerdictTitle(e.verdictCase));
    out += "\r\n";
}

void HistoryCsv::appendField(QByteArray& out, const QString& text) const
{
    const bool quoted = std::any_of(text.begin(), text.end(), [this](QChar c) {
        return c == m_separator || c == u'"' || c == u'\r' || c == u'\n';
    });
    if (!quoted) {
        out += text.toUtf8();
        return;
    }
    out += '"';
    out += QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")).toUtf8();
    out += '"';
}

// Every decimal the value has, none more (51,41; 20,2345; −3 as -3): a spreadsheet reads the
// plain hyphen-minus, not the typographic minus the window shows.
QString HistoryCsv::number(FixedPoint value) const
{
    const qint64 raw = value.raw();
    const quint64 magnitude = raw < 0 ? 0 - static_cast<quint64>(raw) : static_cast<quint64>(raw);
    QString text = raw < 0 ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / 10000);
    quint64 fraction = magnitude % 10000;
    if (fraction != 0) {
        int digits = 4;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        text += m_decimal + QString::number(fraction).rightJustified(digits, QLatin1Char('0'));
    }
    return text;
}
