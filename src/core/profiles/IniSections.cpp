#include "core/profiles/IniSections.h"

#include "core/profiles/IniText.h"

#include <QStringList>

#include <algorithm>

namespace {

QByteArrayView keyOf(QByteArrayView data, const IniText::Line& line)
{
    return data.sliced(line.start, line.equals - line.start).trimmed();
}

QByteArrayView valueOf(QByteArrayView data, const IniText::Line& line)
{
    return data.sliced(line.equals + 1, line.start + line.length - line.equals - 1).trimmed();
}

// A path as QSettings can find it by name: no empty parts, no separator at either end.
bool isNormalised(QStringView path)
{
    if (path.isEmpty() || path.front() == QLatin1Char('/') || path.back() == QLatin1Char('/'))
        return false;
    QChar previous;
    for (const QChar c : path) {
        if (c == QLatin1Char('\\') || (c == QLatin1Char('/') && previous == QLatin1Char('/')))
            return false;
        previous = c;
    }
    return true;
}

} // namespace

IniSections IniSections::parse(QByteArrayView data)
{
    if (data.startsWith("\xEF\xBB\xBF"))
        data = data.sliced(3);
    IniSections result;
    // What the current header puts before its keys ("Vitalon2/Presets/"), and whether keys
    // below it can be found by their names at all: not below "[]" or "[a\\\\b]".
    QString prefix;
    bool reachable = true;
    // A key may name a deeper section ("Presets\\_1_=…" below [Vitalon2], as QSettings writes
    // them): its line moves to that section. The keys of one section mostly follow each other.
    QByteArrayView lastDirectory;
    Section* lastSection = nullptr;
    qsizetype pos = 0;
    IniText::Line line;
    while (IniText::nextLine(data, pos, line)) {
        const QByteArrayView text = data.sliced(line.start, line.length);
        if (text.front() == '[') {
            prefix = IniText::sectionPrefix(text);
            const QStringView path = QStringView(prefix).chopped(prefix.isEmpty() ? 0 : 1);
            reachable = prefix.isEmpty() || isNormalised(path);
            lastSection = nullptr;
            continue;
        }
        if (line.equals < 0)
            continue; // no key: nothing QSettings could read either
        const QByteArrayView key = keyOf(data, line);
        if (key.isEmpty() || !reachable)
            continue;
        qsizetype nameStart = 0;
        for (qsizetype i = 0; i < key.size(); ++i) {
            if (key[i] == '\\' || key[i] == '/')
                nameStart = i + 1;
        }
        const QByteArrayView directory = key.first(nameStart);
        const QByteArrayView name = key.sliced(nameStart);
        if (!lastSection || directory != lastDirectory) {
            QString path = prefix;
            IniText::appendUnescapedKey(path, directory);
            path.chop(path.isEmpty() ? 0 : 1);
            lastDirectory = directory;
            lastSection = path.isEmpty() || isNormalised(path) ? &result.section(path) : nullptr;
        }
        if (!lastSection || name.isEmpty())
            continue;
        QByteArray& body = lastSection->body;
        lastSection->hasBody = true;
        if (line.closed && !name.contains('%') && !name.contains('"')) {
            // Read when the section is asked for, like the rest of it.
            body += name;
            body += '=';
            body += valueOf(data, line);
            body += '\n';
            continue;
        }
        // A line that would take what follows it into itself, or a name to decode: read now.
        const QString decoded = IniText::unescapedKey(name);
        if (decoded.contains(QLatin1Char('/')) || decoded.contains(QLatin1Char('\\')))
            continue;
        IniText::appendEscapedKey(body, decoded);
        body += '=';
        IniText::appendEscapedValue(body, IniText::unescapedValue(valueOf(data, line)));
        body += '\n';
    }
    // Sections whose every key was left out.
    for (auto it = result.m_sections.begin(); it != result.m_sections.end();) {
        if (it->second.body.isEmpty())
            it = result.m_sections.erase(it);
        else
            ++it;
    }
    return result;
}

QHash<QString, QString> IniSections::parseBody(QByteArrayView body)
{
    QHash<QString, QString> keys;
    qsizetype pos = 0;
    IniText::Line line;
    while (IniText::nextLine(body, pos, line)) {
        if (line.equals < 0)
            continue;
        keys.insert(IniText::unescapedKey(keyOf(body, line)),
                    IniText::unescapedValue(valueOf(body, line)));
    }
    return keys;
}

QByteArray IniSections::bodyOf(const QHash<QString, QString>& keys)
{
    QStringList names = keys.keys();
    std::sort(names.begin(), names.end());
    QByteArray body;
    for (const QString& name : names) {
        IniText::appendEscapedKey(body, name);
        body += '=';
        IniText::appendEscapedValue(body, keys.value(name));
        body += '\n';
    }
    return body;
}

IniSections::Section& IniSections::section(const QString& path)
{
    auto it = m_sections.find(path);
    if (it == m_sections.end()) {
        it = m_sections.emplace(path, Section()).first;
        IniText::appendSectionHeader(it->second.header, path);
    }
    return it->second;
}

QHash<QString, QString> IniSections::keys(const QString& path) const
{
    const auto it = m_sections.find(path);
    if (it == m_sections.end())
        return {};
    const Section& s = it->second;
    if (!s.keys)
        s.keys = parseBody(s.body);
    return *s.keys;
}

const QByteArray& IniSections::Section::lines() const
{
    if (!hasBody) {
        body = bodyOf(*keys);
        hasBody = true;
    }
    return body;
}

void IniSections::setKeys(const QString& path, QHash<QString, QString> keys)
{
    if (keys.isEmpty()) {
        m_sections.erase(path);
        return;
    }
    Section& s = section(path);
    s.body.clear();
    s.hasBody = false;
    s.keys = std::move(keys);
}

QByteArray IniSections::text() const
{
    qsizetype size = 0;
    for (const auto& [path, s] : m_sections)
        size += s.header.size() + s.lines().size() + 1;
    QByteArray out;
    out.reserve(size);
    for (const auto& [path, s] : m_sections) {
        out += s.header;
        out += s.body;
        out += '\n';
    }
    return out;
}
