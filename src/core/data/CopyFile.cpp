#include "core/data/CopyFile.h"

#include "core/app/BuildInfo.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QtEndian>

#include <filesystem>
#include <limits>
#include <system_error>

namespace {

const QString driverName = QStringLiteral("QSQLITE");
const QByteArray sqliteHeader("SQLite format 3\0", 16);
constexpr int headerSize = 100;
constexpr int userVersionOffset = 60;
constexpr int applicationIdOffset = 68;
// Ages in ten-thousandths of a year: far beyond any age, far from overflowing a difference.
constexpr qint64 largestAge = qint64(1) << 40;
// No record is older than 1970 or later than the year 3000.
constexpr qint64 latestMoment = 32503680000000;

const QStringList tables = {QStringLiteral("copy_info"), QStringLiteral("profile_list"),
                            QStringLiteral("profile_value"), QStringLiteral("entry")};

const QString entryColumns = QStringLiteral(
    "id, recorded_ms, profile, sex, calendar_age, body_mass, systolic, diastolic, breath_hold, "
    "balance, statements, rating, health_index, biological_age, proper_age, age_difference, "
    "verdict");

QString tr(const char* text)
{
    return QCoreApplication::translate("CopyFile", text);
}

// SQLite result codes that say the file itself is spoiled.
bool showsDamage(const QSqlError& error)
{
    constexpr int corrupt = 11;
    constexpr int notADatabase = 26;
    bool isNumber = false;
    const int code = error.nativeErrorCode().toInt(&isNumber) & 0xff;
    return isNumber && (code == corrupt || code == notADatabase);
}

// One connection of its own, closed and let go when done.
class Connection
{
public:
    Connection(const QString& path, const QString& options)
    {
        static QAtomicInteger<quint64> connections;
        m_name = QStringLiteral("kalder-vitalon-copy-%1").arg(++connections);
        QSqlDatabase db = QSqlDatabase::addDatabase(driverName, m_name);
        db.setDatabaseName(path);
        db.setConnectOptions(options);
        m_open = db.open();
        m_error = db.lastError();
    }
    ~Connection()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool isOpen() const { return m_open; }
    QSqlError openError() const { return m_error; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
    bool m_open = false;
    QSqlError m_error;
};

std::filesystem::path nativePath(const QString& path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// Removes the file it names when it goes (after a rename, nothing is left there).
class Scratch
{
public:
    explicit Scratch(QString path) : m_path(std::move(path)) {}
    ~Scratch() { QFile::remove(m_path); }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const QString& path() const { return m_path; }

private:
    QString m_path;
};

QString statementsText(const AssessmentRecord& inputs)
{
    QString text;
    for (int state : inputs.statements)
        text += QChar(u'0' + state);
    return text;
}

// Writes the copy into an empty SQLite file; returns the engine's message on failure.
std::optional<QString> fill(const QString& path, const DataCopy& copy)
{
    Connection connection(path, QString());
    if (!connection.isOpen())
        return connection.openError().text();
    QSqlDatabase db = connection.db();
    QSqlQuery q(db);
    const auto run = [&q](const QString& statement) { return q.exec(statement); };
    // Synced at the one commit; a journal would only slow the writing of a file that is
    // thrown away when anything fails.
    const QStringList setup = {
        QStringLiteral("PRAGMA journal_mode = OFF"),
        QStringLiteral("PRAGMA synchronous = FULL"),
        QStringLiteral("PRAGMA application_id = %1").arg(CopyFile::applicationId),
        QStringLiteral("PRAGMA user_version = %1").arg(CopyFile::formatVersion),
        QStringLiteral("BEGIN"),
        QStringLiteral("CREATE TABLE copy_info (key TEXT PRIMARY KEY, value TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE profile_list (key TEXT PRIMARY KEY, value TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE profile_value (profile TEXT NOT NULL, key TEXT NOT NULL,"
                       " value TEXT NOT NULL, PRIMARY KEY (profile, key))"),
        QStringLiteral("CREATE TABLE entry (id INTEGER PRIMARY KEY, recorded_ms INTEGER NOT NULL,"
                       " profile TEXT NOT NULL, sex INTEGER NOT NULL,"
                       " calendar_age INTEGER NOT NULL, body_mass INTEGER NOT NULL,"
                       " systolic INTEGER NOT NULL, diastolic INTEGER NOT NULL,"
                       " breath_hold INTEGER NOT NULL, balance INTEGER NOT NULL,"
                       " statements TEXT NOT NULL, rating INTEGER NOT NULL,"
                       " health_index INTEGER NOT NULL, biological_age INTEGER NOT NULL,"
                       " proper_age INTEGER NOT NULL, age_difference INTEGER NOT NULL,"
                       " verdict INTEGER NOT NULL)"),
    };
    for (const QString& statement : setup) {
        if (!run(statement))
            return q.lastError().text();
    }
    const auto pairs = [&q](const QString& statement, const QList<QVariantList>& rows) {
        if (!q.prepare(statement))
            return false;
        for (const QVariantList& row : rows) {
            for (const QVariant& value : row)
                q.addBindValue(value);
            if (!q.exec())
                return false;
        }
        return true;
    };
    QList<QVariantList> info{
        {QStringLiteral("program"), VersionString()},
        {QStringLiteral("made"), QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)}};
    QList<QVariantList> list;
    for (auto it = copy.listKeys.cbegin(); it != copy.listKeys.cend(); ++it)
        list.append({it.key(), it.value()});
    QList<QVariantList> values;
    for (auto p = copy.profiles.cbegin(); p != copy.profiles.cend(); ++p) {
        for (auto it = p.value().cbegin(); it != p.value().cend(); ++it)
            values.append({p.key(), it.key(), it.value()});
    }
    if (!pairs(QStringLiteral("INSERT INTO copy_info VALUES (?, ?)"), info) ||
        !pairs(QStringLiteral("INSERT INTO profile_list VALUES (?, ?)"), list) ||
        !pairs(QStringLiteral("INSERT INTO profile_value VALUES (?, ?, ?)"), values))
        return q.lastError().text();
    if (!q.prepare(QStringLiteral("INSERT INTO entry (%1) VALUES (%2)")
                       .arg(entryColumns, QStringList(17, QStringLiteral("?")).join(u','))))
        return q.lastError().text();
    for (const HistoryEntry& e : copy.entries) {
        const AssessmentRecord& in = e.inputs;
        for (const QVariant& value :
             {QVariant(e.id > 0 ? QVariant(e.id) : QVariant(QMetaType(QMetaType::LongLong))),
              QVariant(e.recordedAt.toMSecsSinceEpoch()),
              QVariant(e.profileName.isNull() ? QStringLiteral("") : e.profileName),
              QVariant(in.sex == Sex::Male ? 0 : 1), QVariant(in.calendarAge),
              QVariant(in.bodyMass), QVariant(in.systolicPressure), QVariant(in.diastolicPressure),
              QVariant(in.breathHold), QVariant(in.balance), QVariant(statementsText(in)),
              QVariant(in.healthRating), QVariant(e.healthIndex), QVariant(e.biologicalAge.raw()),
              QVariant(e.properBiologicalAge.raw()), QVariant(e.ageDifference.raw()),
              QVariant(e.verdictCase)})
            q.addBindValue(value);
        if (!q.exec())
            return q.lastError().text();
    }
    if (!run(QStringLiteral("COMMIT")))
        return q.lastError().text();
    return std::nullopt;
}

// A value of the type the copy's table declares, or nothing (a forged file may hold any).
std::optional<qint64> integer(const QVariant& v, qint64 low, qint64 high)
{
    if (v.isNull() || (v.typeId() != QMetaType::LongLong && v.typeId() != QMetaType::Int))
        return std::nullopt;
    const qint64 n = v.toLongLong();
    if (n < low || n > high)
        return std::nullopt;
    return n;
}

std::optional<QString> text(const QVariant& v)
{
    if (v.isNull() || v.typeId() != QMetaType::QString)
        return std::nullopt;
    return v.toString();
}

std::optional<HistoryEntry> entryFrom(const QSqlQuery& q)
{
    constexpr qint64 intLow = std::numeric_limits<int>::min();
    constexpr qint64 intHigh = std::numeric_limits<int>::max();
    HistoryEntry e;
    AssessmentRecord& in = e.inputs;
    int c = 0;
    const auto whole = [&](qint64 low, qint64 high) { return integer(q.value(c++), low, high); };
    const auto id = whole(1, std::numeric_limits<qint64>::max());
    const auto at = whole(0, latestMoment);
    const auto name = text(q.value(c++));
    const auto sex = whole(0, 1);
    std::optional<qint64> ints[6];
    for (auto& n : ints)
        n = whole(intLow, intHigh);
    const auto states = text(q.value(c++));
    const auto rating = whole(intLow, intHigh);
    const auto index = whole(intLow, intHigh);
    std::optional<qint64> ages[3];
    for (auto& age : ages)
        age = whole(-largestAge, largestAge);
    const auto verdict = whole(intLow, intHigh);
    if (!id || !at || !name || !sex || !states || !rating || !index || !verdict ||
        states->size() != AssessmentRecord::StatementCount)
        return std::nullopt;
    for (const auto& n : ints) {
        if (!n)
            return std::nullopt;
    }
    for (const auto& age : ages) {
        if (!age)
            return std::nullopt;
    }
    e.id = *id;
    e.recordedAt = QDateTime::fromMSecsSinceEpoch(*at, Qt::UTC);
    e.profileName = *name;
    in.sex = *sex == 0 ? Sex::Male : Sex::Female;
    in.calendarAge = int(*ints[0]);
    in.bodyMass = int(*ints[1]);
    in.systolicPressure = int(*ints[2]);
    in.diastolicPressure = int(*ints[3]);
    in.breathHold = int(*ints[4]);
    in.balance = int(*ints[5]);
    for (int i = 0; i < AssessmentRecord::StatementCount; ++i) {
        const int state = states->at(i).unicode() - u'0';
        if (state < 0 || state > 2)
            return std::nullopt;
        in.statements[size_t(i)] = state;
    }
    in.healthRating = int(*rating);
    e.healthIndex = int(*index);
    e.biologicalAge = FixedPoint::fromRaw(*ages[0]);
    e.properBiologicalAge = FixedPoint::fromRaw(*ages[1]);
    e.ageDifference = FixedPoint::fromRaw(*ages[2]);
    e.verdictCase = int(*verdict);
    return e;
}

} // namespace

std::optional<QString> CopyFile::write(const QString& path, const DataCopy& copy)
{
    const QFileInfo target(path);
    const auto failed = [&path](const QString& detail) {
        return tr("Не удалось записать копию «%1»: %2").arg(QDir::toNativeSeparators(path), detail);
    };
    if (target.isDir())
        return failed(tr("это папка"));
    // Built whole under a name of its own beside the target and synced, then renamed over it.
    QString scratchPath;
    for (int n = 0; scratchPath.isEmpty() && n < 100; ++n) {
        const QString candidate =
            target.absoluteDir().filePath(QStringLiteral(".%1.%2-%3.part")
                                              .arg(target.fileName())
                                              .arg(QCoreApplication::applicationPid())
                                              .arg(n));
        QFile file(candidate);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            scratchPath = candidate;
        } else if (!file.exists()) {
            return failed(file.errorString());
        }
    }
    if (scratchPath.isEmpty())
        return failed(tr("нет свободного имени для временного файла"));
    const Scratch scratch(scratchPath);
    if (const auto error = fill(scratch.path(), copy))
        return failed(*error);

    // One step over the target: an existing file is replaced whole or stays as it was.
    std::error_code error;
    std::filesystem::rename(nativePath(scratch.path()), nativePath(path), error);
    if (error)
        return failed(QString::fromStdString(error.message()));
    return std::nullopt;
}

CopyFile::Reading CopyFile::read(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    const auto refuse = [](const QString& why) { return Reading{std::nullopt, why}; };
    const QString notACopy = tr("Файл «%1» не является копией данных Kalder Vitalon.").arg(shown);
    const QString damaged =
        tr("Копия «%1» повреждена: проверка целостности не пройдена.").arg(shown);

    const QFileInfo info(path);
    if (!info.exists())
        return refuse(tr("Файл «%1» не найден.").arg(shown));
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return refuse(tr("Файл «%1» не удалось открыть: %2.").arg(shown, file.errorString()));
    const QByteArray head = file.read(headerSize);
    file.close();
    if (head.size() < headerSize || !head.startsWith(sqliteHeader) ||
        qFromBigEndian<qint32>(head.constData() + applicationIdOffset) != applicationId)
        return refuse(notACopy);
    const qint32 version = qFromBigEndian<qint32>(head.constData() + userVersionOffset);
    if (version > formatVersion)
        return refuse(tr("Копия «%1» сделана более новой версией программы (формат %2); эта "
                         "версия читает только формат %3.")
                          .arg(shown, QString::number(version), QString::number(formatVersion)));
    if (version < 1)
        return refuse(notACopy);

    // Read-only, and nothing in the file (views, triggers, defaults) may call functions that
    // could act outside it.
    Connection connection(path, QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!connection.isOpen()) {
        if (showsDamage(connection.openError()))
            return refuse(damaged);
        return refuse(
            tr("Файл «%1» не удалось открыть: %2.").arg(shown, connection.openError().text()));
    }
    QSqlDatabase db = connection.db();
    DataCopy copy;
    QString invalid;
    {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        const auto failedWith = [&](const QSqlError& error) {
            return refuse(showsDamage(error)
                              ? damaged
                              : tr("Файл «%1» не удалось прочитать: %2.").arg(shown, error.text()));
        };
        for (const QString& pragma : {QStringLiteral("PRAGMA trusted_schema = OFF"),
                                      QStringLiteral("PRAGMA query_only = ON"),
                                      QStringLiteral("PRAGMA cell_size_check = ON")}) {
            if (!q.exec(pragma))
                return failedWith(q.lastError());
        }
        if (!q.exec(QStringLiteral("PRAGMA integrity_check(1)")) || !q.next()) {
            if (q.lastError().isValid())
                return failedWith(q.lastError());
            return refuse(damaged);
        }
        if (q.value(0).toString() != QStringLiteral("ok"))
            return refuse(damaged);
        // Tables alone: a view of the same name could compute anything.
        if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")))
            return failedWith(q.lastError());
        QSet<QString> found;
        while (q.next())
            found.insert(q.value(0).toString());
        for (const QString& table : tables) {
            if (!found.contains(table))
                return refuse(notACopy);
        }

        if (!q.exec(QStringLiteral("SELECT key, value FROM profile_list")))
            return failedWith(q.lastError());
        while (q.next()) {
            const auto key = text(q.value(0));
            const auto value = text(q.value(1));
            if (!key || !value || copy.listKeys.contains(*key)) {
                invalid = tr("список профилей");
                break;
            }
            copy.listKeys.insert(*key, *value);
        }
        for (const QString& name : copy.names())
            copy.profiles.insert(name, {});
        if (invalid.isEmpty() &&
            !q.exec(QStringLiteral("SELECT profile, key, value FROM profile_value")))
            return failedWith(q.lastError());
        while (invalid.isEmpty() && q.next()) {
            const auto name = text(q.value(0));
            const auto key = text(q.value(1));
            const auto value = text(q.value(2));
            if (!name || !key || !value || !copy.profiles.contains(*name) ||
                copy.profiles[*name].contains(*key)) {
                invalid = tr("значения профиля «%1»").arg(name.value_or(QString()).left(40));
                break;
            }
            copy.profiles[*name].insert(*key, *value);
        }
        if (invalid.isEmpty() &&
            !q.exec(QStringLiteral("SELECT %1 FROM entry ORDER BY id").arg(entryColumns)))
            return failedWith(q.lastError());
        while (invalid.isEmpty() && q.next()) {
            const auto entry = entryFrom(q);
            if (!entry) {
                invalid = tr("запись истории номер %1").arg(q.value(0).toString().left(20));
                break;
            }
            copy.entries.append(*entry);
        }
        if (q.lastError().isValid())
            return failedWith(q.lastError());
    }
    if (invalid.isEmpty())
        invalid = copy.fault();
    if (!invalid.isEmpty())
        return refuse(tr("Копия «%1» содержит недопустимые данные (%2); ничего не изменено.")
                          .arg(shown, invalid));
    return Reading{std::move(copy), QString()};
}
