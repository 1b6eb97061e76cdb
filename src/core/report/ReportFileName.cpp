#include "core/report/ReportFileName.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

// The longest file name ext4, XFS, Btrfs and NTFS (in UTF-16 units, which is no less) accept.
constexpr int MostBytes = 255;

bool refused(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f || QStringView(u"/\\:*?\"<>|").contains(c);
}

// CON, PRN, AUX, NUL, COM1..9 and LPT1..9, with or without an extension, name devices on
// Windows whatever follows.
bool deviceName(const QString& name)
{
    static const QRegularExpression device(QStringLiteral("^(con|prn|aux|nul|com[1-9]|lpt[1-9])"
                                                          "(\\..*)?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return device.match(name).hasMatch();
}

// Drops whole characters from the end until the UTF-8 form fits.
QString fitted(QString name, int bytes)
{
    while (!name.isEmpty() && name.toUtf8().size() > bytes)
        name.chop(name.size() > 1 && name.at(name.size() - 1).isLowSurrogate() ? 2 : 1);
    return name;
}

QString trimmedForFiles(QString name)
{
    int first = 0;
    while (first < name.size() && (name.at(first) == u'.' || name.at(first).isSpace()))
        ++first;
    int last = name.size();
    while (last > first && (name.at(last - 1) == u'.' || name.at(last - 1).isSpace()))
        --last;
    return name.mid(first, last - first);
}

} // namespace

QString ReportFileName(const QString& profileName, const QDate& date, const QString& suffix)
{
    QString name;
    name.reserve(profileName.size());
    for (QChar c : profileName)
        name += refused(c) ? QChar(u'_') : c;
    name = trimmedForFiles(name);
    if (name.isEmpty())
        name = QCoreApplication::translate("ReportFileName", "без имени");
    if (deviceName(name))
        name.prepend(u'_');

    const QString tail = QStringLiteral(" — ") + date.toString(QStringLiteral("dd.MM.yyyy")) +
                         QLatin1Char('.') + suffix;
    // A name cut short may end in a blank or a dot again.
    name = trimmedForFiles(fitted(name, MostBytes - tail.toUtf8().size()));
    return name + tail;
}
