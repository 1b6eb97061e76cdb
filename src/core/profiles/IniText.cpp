#include "core/profiles/IniText.h"

#include <array>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isHexDigit(char16_t c)
{
    return c < 0x80 && hexValue(char(c)) >= 0;
}

const char hexDigits[] = "0123456789ABCDEF";

void appendHexEscape(QByteArray& out, char16_t c)
{
    if (c <= 0xFF) {
        out += '%';
        out += hexDigits[c >> 4];
        out += hexDigits[c & 0xF];
    } else {
        out += "%U";
        for (int shift = 12; shift >= 0; shift -= 4)
            out += hexDigits[(c >> shift) & 0xF];
    }
}

// Characters a key or section name cannot hold as they are: the reader's own syntax, line
// breaks and other control characters.
bool needsKeyEscape(char16_t c)
{
    switch (c) {
    case '%':
    case ';':
    case '=':
    case '[':
    case ']':
    case '"':
    case '\\':
    case '/':
        return true;
    default:
        return c < 0x20 || c == 0x7F;
    }
}

// A key, or one part of a section path: UTF-8 as it is, except what the reader would take
// for syntax, what it would trim at the ends, and halves of broken surrogate pairs.
void appendEscapedPart(QByteArray& out, QStringView text, bool first, bool last)
{
    qsizetype run = 0;
    const auto flush = [&](qsizetype end) {
        if (end > run)
            out += text.sliced(run, end - run).toUtf8();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        const bool edgeBlank = c == ' ' && ((first && i == 0) || (last && i == text.size() - 1));
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            ++i;
            continue;
        }
        if (needsKeyEscape(c) || edgeBlank || QChar::isSurrogate(c)) {
            flush(i);
            appendHexEscape(out, c);
            run = i + 1;
        }
    }
    flush(text.size());
}

} // namespace

bool IniText::nextLine(QByteArrayView data, qsizetype& pos, Line& line)
{
    const char* d = data.data();
    const qsizetype size = data.size();
    qsizetype i = pos;
    for (;;) {
        while (i < size && isBlank(d[i]))
            ++i;
        if (i < size && d[i] == ';') {
            while (i < size && d[i] != '\n' && d[i] != '\r')
                ++i;
            continue;
        }
        break;
    }
    line.start = i;
    line.equals = -1;
    bool inQuotes = false;
    for (; i < size; ++i) {
        const char ch = d[i];
        if (ch == '\n' || ch == '\r') {
            if (!inQuotes)
                break;
        } else if (ch == '=') {
            if (!inQuotes && line.equals < 0)
                line.equals = i;
        } else if (ch == '\\') {
            // The next character belongs to the value, a line break (with its partner) too.
            if (i + 1 < size) {
                const char next = d[++i];
                if (i + 1 < size &&
                    ((next == '\n' && d[i + 1] == '\r') || (next == '\r' && d[i + 1] == '\n')))
                    ++i;
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (ch == ';' && !inQuotes) {
            break; // the rest of the line is a comment
        }
    }
    line.length = i - line.start;
    line.closed = !inQuotes && !(i == size && line.length > 0 && d[i - 1] == '\\');
    pos = i;
    return line.length > 0;
}

QString IniText::sectionPrefix(QByteArrayView header)
{
    qsizetype end = header.indexOf(']');
    if (end < 0)
        end = header.size();
    const QByteArrayView name = header.sliced(1, end - 1).trimmed();
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return QString();
    if (name.compare("%general", Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(name.sliced(1)) + QLatin1Char('/');
    return unescapedKey(name) + QLatin1Char('/');
}

QString IniText::unescapedKey(QByteArrayView key)
{
    QString result;
    appendUnescapedKey(result, key);
    return result;
}

void IniText::appendUnescapedKey(QString& out, QByteArrayView key)
{
    bool ascii = true;
    bool plain = true;
    for (const char c : key) {
        ascii = ascii && uchar(c) < 0x80;
        plain = plain && c != '%' && c != '\\';
    }
    if (plain) {
        out += QString::fromUtf8(key);
        return;
    }
    // QSettings writes keys in ASCII with every other character escaped; read those without
    // decoding them first.
    const QString decoded = ascii ? QString() : QString::fromUtf8(key);
    const qsizetype size = ascii ? key.size() : decoded.size();
    const auto at = [&](qsizetype i) { return ascii ? QChar(QLatin1Char(key[i])) : decoded.at(i); };
    out.reserve(out.size() + size);
    for (qsizetype i = 0; i < size;) {
        const QChar c = at(i);
        if (c == QLatin1Char('\\')) {
            out += QLatin1Char('/');
            ++i;
            continue;
        }
        if (c != QLatin1Char('%') || i == size - 1) {
            out += c;
            ++i;
            continue;
        }
        qsizetype first = i + 1;
        qsizetype digits = 2;
        if (at(first) == QLatin1Char('U')) {
            ++first;
            digits = 4;
        }
        bool ok = false;
        ushort code = 0;
        if (first + digits <= size) {
            code = ascii ? QLatin1StringView(key.sliced(first, digits)).toUShort(&ok, 16)
                         : QStringView(decoded).sliced(first, digits).toUShort(&ok, 16);
        }
        if (!ok) {
            out += c;
            ++i;
            continue;
        }
        out += QChar(code);
        i = first + digits;
    }
}

QString IniText::unescapedValue(QByteArrayView v)
{
    const qsizetype n = v.size();
    bool plain = n == 0 || v.front() != '@';
    for (qsizetype i = 0; plain && i < n; ++i)
        plain = v[i] != '"' && v[i] != '\\' && v[i] != ',';
    if (plain)
        return QString::fromUtf8(v);

    QString text;
    bool isList = false;
    bool inQuotes = false;
    bool quoted = false;
    qsizetype chopLimit = 0;
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < n && (v[i] == ' ' || v[i] == '\t'))
            ++i;
        chopLimit = text.size();
    };
    skipBlanks();
    while (i < n) {
        const char c = v[i];
        if (c == '\\') {
            if (++i >= n)
                break;
            const char e = v[i++];
            static const std::array<std::pair<char, char>, 11> simple = {{{'a', '\a'},
                                                                          {'b', '\b'},
                                                                          {'f', '\f'},
                                                                          {'n', '\n'},
                                                                          {'r', '\r'},
                                                                          {'t', '\t'},
                                                                          {'v', '\v'},
                                                                          {'"', '"'},
                                                                          {'?', '?'},
                                                                          {'\'', '\''},
                                                                          {'\\', '\\'}}};
            bool done = false;
            for (const auto& [code, meaning] : simple) {
                if (e == code) {
                    text += QLatin1Char(meaning);
                    done = true;
                    break;
                }
            }
            if (!done && e == 'x' && i < n && hexValue(v[i]) >= 0) {
                char32_t code = 0;
                while (i < n && hexValue(v[i]) >= 0)
                    code = (code << 4) + char32_t(hexValue(v[i++]));
                text += QChar(char16_t(code));
            } else if (!done && e >= '0' && e <= '7') {
                char32_t code = char32_t(e - '0');
                while (i < n && v[i] >= '0' && v[i] <= '7')
                    code = (code << 3) + char32_t(v[i++] - '0');
                text += QChar(char16_t(code));
            } else if (!done && (e == '\n' || e == '\r')) {
                if (i < n && (v[i] == '\n' || v[i] == '\r') && v[i] != e)
                    ++i; // an escaped line break continues the value
            }
            // Any other escaped character is dropped.
            chopLimit = text.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipBlanks();
        } else if (c == ',' && !inQuotes) {
            isList = true;
            text.clear();
            quoted = false;
            ++i;
            skipBlanks();
        } else {
            qsizetype j = i + 1;
            while (j < n && v[j] != '\\' && v[j] != '"' && v[j] != ',')
                ++j;
            text += QString::fromUtf8(v.sliced(i, j - i));
            i = j;
        }
    }
    if (!quoted) {
        while (text.size() > chopLimit &&
               (text.back() == QLatin1Char(' ') || text.back() == QLatin1Char('\t')))
            text.chop(1);
    }
    // A list is no text; neither are the stored forms of other types.
    if (isList)
        return QString();
    if (text.startsWith(QLatin1Char('@'))) {
        if (text.endsWith(QLatin1Char(')'))) {
            if (text.startsWith(QLatin1String("@ByteArray(")))
                return QString::fromUtf8(QStringView(text).sliced(11).chopped(1).toLatin1());
            if (text.startsWith(QLatin1String("@String(")))
                return text.sliced(8).chopped(1);
            for (const char* form : {"@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("}) {
                if (text.startsWith(QLatin1String(form)))
                    return QString();
            }
            if (text == QLatin1String("@Invalid()"))
                return QString();
        }
        if (text.startsWith(QLatin1String("@@")))
            return text.sliced(1);
    }
    return text;
}

void IniText::appendSectionHeader(QByteArray& out, QStringView path)
{
    out += '[';
    if (path.isEmpty()) {
        out += "General";
    } else if (path.compare(u"general", Qt::CaseInsensitive) == 0) {
        // The plain name would be read as the top level.
        appendHexEscape(out, path.front().unicode());
        appendEscapedPart(out, path.sliced(1), false, true);
    } else {
        qsizetype start = 0;
        while (start <= path.size()) {
            qsizetype end = path.indexOf(QLatin1Char('/'), start);
            if (end < 0)
                end = path.size();
            if (start > 0)
                out += '\\';
            appendEscapedPart(out, path.sliced(start, end - start), start == 0, end == path.size());
            start = end + 1;
        }
    }
    out += "]\n";
}

void IniText::appendEscapedKey(QByteArray& out, QStringView key)
{
    appendEscapedPart(out, key, true, true);
}

void IniText::appendEscapedValue(QByteArray& out, QStringView value)
{
    bool plain = !value.isEmpty() && value.front() != QLatin1Char('@') &&
                 value.front() != QLatin1Char(' ') && value.back() != QLatin1Char(' ');
    for (qsizetype i = 0; plain && i < value.size(); ++i) {
        const char16_t c = value.at(i).unicode();
        plain = c >= 0x20 && c != 0x7F && c != '"' && c != '\\' && c != ';' && c != ',' &&
                c != '=' && !QChar::isSurrogate(c);
    }
    if (plain) {
        out += value.toUtf8();
        return;
    }

    // As QSettings writes a text: a leading "@" doubled, C escapes for quotes, backslashes and
    // control characters (a hex digit right after a numeric escape escaped too, so that it is
    // not read as part of it), and quotes around texts with ";", ",", "=" or outer blanks.
    QByteArray text;
    text.reserve(value.size() * 2 + 3);
    if (value.startsWith(QLatin1Char('@')))
        text += '@';
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t c = value.at(i).unicode();
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeNextIfDigit && isHexDigit(c)) {
            text += "\\x" + QByteArray::number(uint(c), 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (c) {
        case '\0':
            text += "\\0";
            escapeNextIfDigit = true;
            break;
        case '\a':
            text += "\\a";
            break;
        case '\b':
            text += "\\b";
            break;
        case '\f':
            text += "\\f";
            break;
        case '\n':
            text += "\\n";
            break;
        case '\r':
            text += "\\r";
            break;
        case '\t':
            text += "\\t";
            break;
        case '\v':
            text += "\\v";
            break;
        case '"':
        case '\\':
            text += '\\';
            text += char(c);
            break;
        default:
            if (c <= 0x1F) {
                text += "\\x" + QByteArray::number(uint(c), 16);
                escapeNextIfDigit = true;
            } else if (c < 0x80) {
                text += char(c);
            } else if (QChar::isHighSurrogate(c) && i + 1 < value.size() &&
                       QChar::isLowSurrogate(value.at(i + 1).unicode())) {
                text += value.sliced(i, 2).toUtf8();
                ++i;
            } else {
                text += value.sliced(i, 1).toUtf8();
            }
        }
    }
    if (needsQuotes || (!text.isEmpty() && (text.front() == ' ' || text.back() == ' '))) {
        out += '"';
        out += text;
        out += '"';
    } else {
        out += text;
    }
}

QString IniText::normalisedPath(QStringView path)
{
    QString result;
    result.reserve(path.size());
    bool separator = false;
    for (const QChar c : path) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\')) {
            separator = !result.isEmpty();
            continue;
        }
        if (separator) {
            result += QLatin1Char('/');
            separator = false;
        }
        result += c;
    }
    return result;
}
