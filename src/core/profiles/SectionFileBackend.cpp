#include "core/profiles/SectionFileBackend.h"

#include "core/profiles/IniText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QVariant>

#ifdef Q_OS_LINUX
#include <sys/stat.h>
#endif

#include <utility>

namespace {

SectionFileBackend::Stamp stampOf(const QString& path)
{
    SectionFileBackend::Stamp s;
#ifdef Q_OS_LINUX
    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return s;
    s.exists = true;
    s.device = qint64(st.st_dev);
    s.inode = qint64(st.st_ino);
    s.size = qint64(st.st_size);
    s.modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.changed = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
#else
    const QFileInfo info(path);
    if (!info.exists())
        return s;
    s.exists = true;
    s.size = info.size();
    s.modified = info.lastModified().toMSecsSinceEpoch();
    s.changed = info.metadataChangeTime().toMSecsSinceEpoch();
#endif
    return s;
}

// Well within the wait for the lock, and far beyond the time any write holds it.
constexpr int staleLockMs = 500;

// A section and key as one path, split again at its last separator, as QSettings resolves
// "section/key" names.
std::pair<QString, QString> splitKey(const QString& section, const QString& key)
{
    const QString full = IniText::normalisedPath(QString(section + QLatin1Char('/') + key));
    const qsizetype slash = full.lastIndexOf(QLatin1Char('/'));
    return {slash < 0 ? QString() : full.first(slash), full.sliced(slash + 1)};
}

// Whether QSettings stored values of other types than text here: a form such as @Variant(…)
// that is not a text beginning with "@" (written "@@Variant(…)").
bool holdsOtherTypes(const QByteArray& data)
{
    for (const char* form :
         {"@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point(", "@Invalid("}) {
        for (qsizetype at = data.indexOf(form); at >= 0; at = data.indexOf(form, at + 1)) {
            if (at == 0 || data.at(at - 1) != '@')
                return true;
        }
    }
    return false;
}

} // namespace

bool SectionFileBackend::Stamp::operator==(const Stamp& o) const
{
    return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
           modified == o.modified && changed == o.changed;
}

SectionFileBackend::SectionFileBackend(const QString& file, const QString& legacyFile)
    : m_file(file), m_legacyFile(legacyFile)
{
}

void SectionFileBackend::refresh()
{
    if (m_loaded && stampOf(m_file) == m_stamp &&
        (m_stamp.exists || stampOf(m_legacyFile) == m_legacyStamp))
        return;
    load();
}

void SectionFileBackend::load()
{
    m_loaded = true;
    m_readable = true;
    m_sections = IniSections();
    m_legacyStamp = {};
    m_stamp = stampOf(m_file);
    if (m_stamp.exists) {
        QFile file(m_file);
        if (!QFileInfo(m_file).isFile() || !file.open(QIODevice::ReadOnly)) {
            m_readable = false;
            return;
        }
        const QByteArray data = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            m_readable = false;
            return;
        }
        m_sections = IniSections::parse(data);
        return;
    }
    m_legacyStamp = stampOf(m_legacyFile);
    if (m_legacyStamp.exists)
        m_sections = readLegacy();
}

IniSections SectionFileBackend::readLegacy()
{
    if (!QFileInfo(m_legacyFile).isFile())
        return IniSections(); // a folder in its place holds nothing
    QFile file(m_legacyFile);
    if (!file.open(QIODevice::ReadOnly)) {
        m_readable = false;
        return IniSections();
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_readable = false;
        return IniSections();
    }
    // Texts read alike here and in QSettings. Values of other types, which QSettings writes
    // in forms such as @Variant(…), only QSettings can turn into the texts earlier versions
    // read from them (it takes no lock to read, and is slow on large files).
    if (!holdsOtherTypes(data))
        return IniSections::parse(data);

    const QSettings legacy(m_legacyFile, QSettings::IniFormat);
    std::map<QString, QHash<QString, QString>> sections;
    const QStringList all = legacy.allKeys();
    for (const QString& full : all) {
        // A key QSettings cannot find by its own name was never readable.
        if (IniText::normalisedPath(full) != full)
            continue;
        const QVariant value = legacy.value(full);
        if (!value.isValid())
            continue;
        const qsizetype slash = full.lastIndexOf(QLatin1Char('/'));
        sections[slash < 0 ? QString() : full.first(slash)].insert(full.sliced(slash + 1),
                                                                   value.toString());
    }
    IniSections result;
    for (auto& [path, keys] : sections)
        result.setKeys(path, std::move(keys));
    return result;
}

QHash<QString, QString> SectionFileBackend::keys(const QString& section)
{
    refresh();
    return m_sections.keys(IniText::normalisedPath(section));
}

bool SectionFileBackend::apply(const SettingsStore::Batch& batch)
{
    using Kind = SettingsStore::Batch::Kind;
    if (!QDir().mkpath(QFileInfo(m_file).path()))
        return false;
    QLockFile lock(m_file + QStringLiteral(".lock"));
    // A process killed between creating the lock and writing its id into it leaves an empty
    // lock that names no owner; QLockFile takes such a lock over only once it is older than
    // the stale time (30 s by default), and every write until then would be refused. A lock
    // whose owner lives is never taken over, however old: the owner holds a kernel lock on it
    // (flock) for as long as it runs, and QLockFile removes no lock file that is so held.
    lock.setStaleLockTime(staleLockMs);
    if (!lock.tryLock(SettingsStore::lockWaitMs))
        return false;
    // What another process stored meanwhile is the ground this batch builds on.
    refresh();
    if (!m_readable)
        return false;

    std::map<QString, QHash<QString, QString>> changed;
    const auto keysOf = [&](const QString& path) -> QHash<QString, QString>& {
        auto it = changed.find(path);
        if (it == changed.end())
            it = changed.emplace(path, m_sections.keys(path)).first;
        return it->second;
    };
    for (const SettingsStore::Batch::Step& step : batch.steps()) {
        if (step.kind == Kind::DeleteSection) {
            keysOf(IniText::normalisedPath(step.section)).clear();
            continue;
        }
        const auto [path, key] = splitKey(step.section, step.key);
        if (key.isEmpty())
            continue;
        if (step.kind == Kind::Save)
            keysOf(path).insert(key, step.value);
        else
            keysOf(path).remove(key);
    }

    IniSections next = m_sections;
    bool differs = false;
    for (auto& [path, keys] : changed) {
        if (keys == m_sections.keys(path))
            continue;
        next.setKeys(path, std::move(keys));
        differs = true;
    }
    if (!differs)
        return true;

    // Written beside the file and renamed over it once complete and flushed to disk. Unbuffered,
    // so that a short write (a disk that fills up) shows in the count: QSaveFile would commit
    // the truncated file all the same.
    const QByteArray text = next.text();
    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    m_sections = std::move(next);
    m_stamp = stampOf(m_file);
    m_legacyStamp = {};
    return true;
}
