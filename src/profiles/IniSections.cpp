#include "profiles/IniSections.h"

#include "profiles/IniText.h"

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

// A key line that can stay as it is in its section's text: its key names no other section
// and needs no decoding, and nothing after it could be read into it.
bool staysText(QByteArrayView key, const IniText::Line& line)
{
    if (!line.closed)
        return false;
    for (const char c : key) {
        if (c == '\\' || c == '/' || c == '%')
            return false;
    }
    return true;
}

} // namespace

IniSections IniSections::parse(QByteArrayView data)
{
    if (data.startsWith("\xEF\xBB\xBF"))
        data = data.sliced(3);
    IniSections result;
    // Keys that name a deeper section ("Presets\_1_=…" below [Vitalon2]) or need decoding are
    // read at once and merged into their sections at the end.
    std::map<QString, QHash<QString, QString>> readNow;
    // What the current header puts before its keys ("Vitalon2/Presets/"), and whether keys
    // below it can be found by their names at all: not below "[]" or "[a\\b]".
    QString prefix;
    bool reachable = true;
    Section* current = nullptr;
    qsizetype pos = 0;
    IniText::Line line;
    while (IniText::nextLine(data, pos, line)) {
        const QByteArrayView text = data.sliced(line.start, line.length);
        if (text.front() == '[') {
            prefix = IniText::sectionPrefix(text);
            const QStringView path = QStringView(prefix).chopped(prefix.isEmpty() ? 0 : 1);
            reachable =
                IniText::normalisedPath(path) == path && (prefix.isEmpty() || !path.isEmpty());
            current = nullptr;
            continue;
        }
        if (line.equals < 0)
            continue; // no key: nothing QSettings could read either
        const QByteArrayView key = keyOf(data, line);
        if (key.isEmpty() || !reachable)
            continue;
        if (staysText(key, line)) {
            if (!current)
                current = &result.section(prefix.chopped(prefix.isEmpty() ? 0 : 1));
            current->body += text;
            current->body += '\n';
            continue;
        }
        const QString full = prefix + IniText::unescapedKey(key);
        if (IniText::normalisedPath(full) != full)
            continue;
        const qsizetype slash = full.lastIndexOf(QLatin1Char('/'));
        readNow[slash < 0 ? QString() : full.first(slash)].insert(
            full.sliced(slash + 1), IniText::unescapedValue(valueOf(data, line)));
    }
    for (auto& [path, keys] : readNow) {
        QHash<QString, QString> all = result.keys(path);
        for (auto it = keys.cbegin(); it != keys.cend(); ++it)
            all.insert(it.key(), it.value());
        result.setKeys(path, std::move(all));
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

void IniSections::setKeys(const QString& path, QHash<QString, QString> keys)
{
    if (keys.isEmpty()) {
        m_sections.erase(path);
        return;
    }
    Section& s = section(path);
    s.body = bodyOf(keys);
    s.keys = std::move(keys);
}

QByteArray IniSections::text() const
{
    qsizetype size = 0;
    for (const auto& [path, s] : m_sections)
        size += s.header.size() + s.body.size() + 1;
    QByteArray out;
    out.reserve(size);
    for (const auto& [path, s] : m_sections) {
        out += s.header;
        out += s.body;
        out += '\n';
    }
    return out;
}
