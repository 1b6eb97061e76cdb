#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QCommandLineParser;

// The program's command line. Without a command the window starts (Qt's own options such as
// -platform and -style are accepted and left to it); a command runs without a window or a
// display, prints what it did on standard output or one line saying why it failed on standard
// error, and ends the program.
class CommandLine
{
public:
    enum class Command
    {
        Window,
        Help,
        Version,
        Backup,
        Restore,
        ExportHistory,
        Invalid // error() says why
    };

    // The arguments as the program was started with them, the program's name first.
    static QStringList arguments(int argc, char** argv);
    // Needs no application object: the window's own is made only when no command is given.
    static CommandLine parse(const QStringList& arguments);

    Command command() const { return m_command; }
    QString file() const { return m_file; }
    bool replace() const { return m_replace; }
    // --profile with --export-history: one profile's history rather than every profile's.
    std::optional<QString> profile() const { return m_profile; }
    QString error() const { return m_error; }

    // Carries out the command within the QCoreApplication made for it; returns the exit code.
    // instanceKey names the single-copy lock that tells whether the window runs.
    int run(const QString& instanceKey) const;

    static constexpr int Failed = 1;
    static constexpr int Misused = 2;

private:
    static void describe(QCommandLineParser& parser);
    int exportHistory() const;

    Command m_command = Command::Window;
    QString m_file;
    bool m_replace = false;
    std::optional<QString> m_profile;
    QString m_error;
};
