#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The text rules of INI files as QSettings reads them, so that a file this program writes reads
// the same through QSettings, and a file QSettings wrote reads the same here. (QSettings looks a
// key up by name in the nearest section before it only, so it finds every key of a file with
// nested sections once it has read them all, as allKeys() and childKeys() do.)
//
// Keys and section names are written compactly: UTF-8 as it is, only the characters the reader
// treats specially escaped as %XX. Values are written exactly as QSettings writes texts.
class IniText
{
public:
    // One logical line of the file: data[start, start + length); `equals` is the position of
    // the first "=" outside quotes, or -1. A quoted newline or an escaped one continues a line;
    // `closed` is false when the line ends inside quotes or on an escape (at the end of the
    // data), so that whatever followed it would become part of it.
    struct Line
    {
        qsizetype start = 0;
        qsizetype length = 0;
        qsizetype equals = -1;
        bool closed = true;
    };
    // The next line from `pos` on, skipping blank lines and comments; false at the end.
    static bool nextLine(QByteArrayView data, qsizetype& pos, Line& line);

    // What a section header ("[name]") puts before the keys below it: "name/", decoded like a
    // key, or nothing for the top level ("[General]").
    static QString sectionPrefix(QByteArrayView header);
    // A key as written: %XX and %UXXXX decoded, "\" read as the path separator "/".
    static QString unescapedKey(QByteArrayView key);
    static void appendUnescapedKey(QString& out, QByteArrayView key);
    // A value as QSettings reads it and as text: quotes and escapes resolved; a list (commas
    // outside quotes) and the non-text forms such as @Variant(...) read as an empty text.
    static QString unescapedValue(QByteArrayView value);

    // "[name]" for a section path ("/"-separated, normalised); the top level is "[General]".
    static void appendSectionHeader(QByteArray& out, QStringView path);
    static void appendEscapedKey(QByteArray& out, QStringView key);
    static void appendEscapedValue(QByteArray& out, QStringView value);

    // A path as QSettings takes it: "\" and "/" both separate, empty parts are dropped.
    static QString normalisedPath(QStringView path);
};
