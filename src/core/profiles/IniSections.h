#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <map>
#include <optional>

// The sections of one INI file in memory, each kept as the text of its key lines and read into
// keys only when asked for, so that a large file opens at the cost of finding its sections and
// a change costs the sections it touches. Section paths are "/"-separated and normalised; the
// empty path is the top level.
class IniSections
{
public:
    // Reads an INI text as QSettings reads it; what cannot be read is left out.
    static IniSections parse(QByteArrayView data);

    // The keys of one section (not of deeper ones) with their texts.
    QHash<QString, QString> keys(const QString& path) const;
    // Replaces a section's keys; no keys removes the section.
    void setKeys(const QString& path, QHash<QString, QString> keys);

    bool isEmpty() const { return m_sections.empty(); }
    // The whole file: every section in path order, its keys in key order.
    QByteArray text() const;

private:
    // A section read from a file keeps its lines and reads them into keys when asked; a
    // section given keys writes its lines when the file is written. Either is built from the
    // other when needed, never both kept apart.
    struct Section
    {
        QByteArray header;            // "[name]\n"
        mutable QByteArray body;      // the key lines
        mutable bool hasBody = false; // body holds the keys' lines
        mutable std::optional<QHash<QString, QString>> keys;
        const QByteArray& lines() const;
    };
    static QHash<QString, QString> parseBody(QByteArrayView body);
    static QByteArray bodyOf(const QHash<QString, QString>& keys);
    Section& section(const QString& path);

    std::map<QString, Section> m_sections;
};
