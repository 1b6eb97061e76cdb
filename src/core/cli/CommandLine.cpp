#include "core/cli/CommandLine.h"

#include "core/app/BuildInfo.h"
#include "core/app/DisplayLocale.h"
#include "core/app/SingleInstance.h"
#include "core/data/DataTransfer.h"
#include "core/history/HistoryCsv.h"
#include "core/history/HistoryStore.h"
#include "core/profiles/SettingsStore.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("CommandLine", text);
}

const QString helpName = QStringLiteral("help");
const QString versionName = QStringLiteral("version");
const QString backupName = QStringLiteral("backup");
const QString restoreName = QStringLiteral("restore");
const QString replaceName = QStringLiteral("replace");
const QString exportName = QStringLiteral("export-history");
const QString profileName = QStringLiteral("profile");

// Qt's own options of a window application, taken here only so that they are no error: the
// application object reads them itself.
const QStringList qtOptionsWithValue = {
    QStringLiteral("platform"),      QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"), QStringLiteral("plugin"),
    QStringLiteral("qmljsdebugger"), QStringLiteral("qwindowgeometry"),
    QStringLiteral("qwindowicon"),   QStringLiteral("qwindowtitle"),
    QStringLiteral("display"),       QStringLiteral("geometry"),
    QStringLiteral("style"),         QStringLiteral("stylesheet"),
    QStringLiteral("session")};
const QStringList qtFlags = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                             QStringLiteral("nograb"), QStringLiteral("dograb"),
                             QStringLiteral("sync")};

// One line, whatever a file name or a message holds.
void printLine(FILE* stream, QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

} // namespace

QStringList CommandLine::arguments(int argc, char** argv)
{
    QStringList result;
    for (int i = 0; i < argc; ++i)
        result.append(QString::fromLocal8Bit(argv[i]));
    return result;
}

void CommandLine::describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        tr("Kalder Vitalon: биологический возраст по методу Войтенко. Без параметров "
           "открывается окно программы."));
    // -platform, -style: Qt's options are written with one dash.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({{QStringLiteral("h"), helpName}, tr("Показать эту справку.")});
    parser.addOption({{QStringLiteral("v"), versionName}, tr("Показать версию программы.")});
    parser.addOption(
        {backupName, tr("Сохранить копию всех данных (профили и история) в файл."), tr("файл")});
    parser.addOption({restoreName,
                      tr("Восстановить данные из копии: профили копии записываются поверх, "
                         "её записи истории добавляются. Программа должна быть закрыта."),
                      tr("файл")});
    parser.addOption({replaceName, tr("С --restore: заменить все данные копией.")});
    parser.addOption({exportName,
                      tr("Записать историю результатов в файл CSV (все профили или один, "
                         "см. --profile)."),
                      tr("файл")});
    parser.addOption(
        {profileName, tr("С --export-history: только история профиля с этим именем."), tr("имя")});
    for (const QString& name : qtOptionsWithValue) {
        QCommandLineOption option(name, QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const QString& name : qtFlags) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine line;
    const auto invalid = [&line](const QString& why) {
        line.m_command = Command::Invalid;
        line.m_error = why;
        return line;
    };
    QCommandLineParser parser;
    describe(parser);
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return invalid(tr("Неизвестный параметр «%1»; параметры программы: --help.")
                               .arg(unknown.constFirst()));
        return invalid(tr("Неверная командная строка: %1").arg(parser.errorText()));
    }
    if (!parser.positionalArguments().isEmpty())
        return invalid(tr("Лишний аргумент «%1»; параметры программы: --help.")
                           .arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(helpName)) {
        line.m_command = Command::Help;
        return line;
    }
    if (parser.isSet(versionName)) {
        line.m_command = Command::Version;
        return line;
    }
    const bool backup = parser.isSet(backupName);
    const bool restore = parser.isSet(restoreName);
    const bool exportHistory = parser.isSet(exportName);
    if (int(backup) + int(restore) + int(exportHistory) > 1)
        return invalid(tr("--backup, --restore и --export-history нельзя задать вместе."));
    if (parser.isSet(replaceName) && !restore)
        return invalid(tr("--replace задаётся только вместе с --restore."));
    if (parser.isSet(profileName) && !exportHistory)
        return invalid(tr("--profile задаётся только вместе с --export-history."));
    if (!backup && !restore && !exportHistory)
        return line;
    const QStringList files = parser.values(backup    ? backupName
                                            : restore ? restoreName
                                                      : exportName);
    if (files.size() > 1)
        return invalid(tr("Файл задан больше одного раза."));
    if (files.constFirst().isEmpty())
        return invalid(tr("Не задано имя файла."));
    if (exportHistory && parser.values(profileName).size() > 1)
        return invalid(tr("Профиль задан больше одного раза."));
    line.m_command = backup ? Command::Backup : restore ? Command::Restore : Command::ExportHistory;
    line.m_file = files.constFirst();
    line.m_replace = parser.isSet(replaceName);
    if (parser.isSet(profileName))
        line.m_profile = parser.value(profileName);
    return line;
}

int CommandLine::run(const QString& instanceKey) const
{
    switch (m_command) {
    case Command::Window:
        return 0;
    case Command::Invalid:
        printLine(stderr, m_error);
        return Misused;
    case Command::Help: {
        QCommandLineParser parser;
        describe(parser);
        std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    case Command::Version:
        printLine(stdout, QStringLiteral("%1 %2").arg(QLatin1String(AppTitle), VersionString()));
        return 0;
    case Command::ExportHistory:
        return exportHistory();
    case Command::Backup:
    case Command::Restore:
        break;
    }
    // The window would go on showing the profiles it read before the restore, and would
    // write over them: it must be closed. Held until the program ends, so none starts meanwhile.
    SingleInstance instance(instanceKey);
    if (m_command == Command::Restore && !instance.claimQuietly()) {
        printLine(stderr, tr("Kalder Vitalon открыта: закройте программу и повторите "
                             "восстановление."));
        return Failed;
    }
    SettingsStore settings;
    HistoryStore history;
    DataTransfer transfer(settings, history);
    const DataTransfer::Outcome outcome =
        m_command == Command::Backup
            ? transfer.backup(m_file)
            : transfer.restore(m_file,
                               m_replace ? DataTransfer::Mode::Replace : DataTransfer::Mode::Merge);
    printLine(outcome.ok ? stdout : stderr, outcome.message);
    return outcome.ok ? 0 : Failed;
}

int CommandLine::exportHistory() const
{
    HistoryStore history;
    // The spreadsheet of the chosen language reads the numbers: its decimal separator, and the
    // field separator that goes with it.
    const HistoryCsv csv(DisplayLocale::decimalPoint());
    QString why;
    if (!csv.exportHistory(history, m_file, m_profile, &why)) {
        printLine(stderr, why);
        return Failed;
    }
    printLine(stdout, tr("История записана в %1").arg(m_file));
    return 0;
}
