#include "core/app/BuildConfig.h"
#include "core/app/BuildInfo.h"
#include "core/app/QtTranslation.h"
#include "core/app/SingleInstance.h"
#include "core/cli/CommandLine.h"
#include "core/history/HistoryCsv.h"
#include "core/history/HistoryStore.h"
#include "core/profiles/ProfileStore.h"
#include "core/profiles/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

HistoryEntry entry(const QString& name, int k)
{
    AssessmentRecord in;
    in.calendarAge = 30 + k;
    AssessmentResult r;
    r.biologicalAge = FixedPoint::fromRaw(400000 + k);
    r.properBiologicalAge = FixedPoint::fromRaw(390000);
    r.ageDifference = r.biologicalAge - r.properBiologicalAge;
    return HistoryEntry::fromAssessment(
        name, in, r, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5, 6), Qt::UTC).addDays(k));
}

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

} // namespace

// The built program run as a user runs it from a terminal: no display, private folders.
class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // This process finds the user's stores where the program does.
        QCoreApplication::setOrganizationName(QStringLiteral("Kalder_Programming"));
        QCoreApplication::setApplicationName(QStringLiteral("kalder-vitalon"));
        m_env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            m_env.remove(QString::fromLatin1(name));
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"}) {
            const QString folder = m_dir.filePath(QString::fromLatin1(name));
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner));
            m_env.insert(QString::fromLatin1(name), folder);
            qputenv(name, QFile::encodeName(folder));
        }
    }

    // Qt's own options start the window as before; anything else unknown is an error.
    void windowKeepsQtOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<CommandLine::Command>("command");
        using C = CommandLine::Command;
        QTest::newRow("nothing") << QStringList{} << C::Window;
        QTest::newRow("-platform, -style")
            << QStringList{"-platform", "xcb", "-style", "fusion"} << C::Window;
        QTest::newRow("-style=") << QStringList{"-style=fusion", "-reverse"} << C::Window;
        QTest::newRow("-qwindowgeometry")
            << QStringList{"-qwindowgeometry", "800x600+0+0"} << C::Window;
        QTest::newRow("unknown beside Qt's")
            << QStringList{"-style", "fusion", "--colour"} << C::Invalid;
        QTest::newRow("restore with replace")
            << QStringList{"--restore", "a.kvbackup", "--replace"} << C::Restore;
    }
    void windowKeepsQtOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLine::Command, command);
        const CommandLine line =
            CommandLine::parse(QStringList{QStringLiteral("kalder-vitalon")} + arguments);
        QCOMPARE(line.command(), command);
        QCOMPARE(line.error().isEmpty(), command != CommandLine::Command::Invalid);
    }

    // Without a display: what each command prints, and its exit code. A failure is one line on
    // standard error.
    void answers_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("printed");
        const QString version = QStringLiteral("Kalder Vitalon ") + VersionString();
        QTest::newRow("--version") << QStringList{"--version"} << 0 << version;
        QTest::newRow("-v") << QStringList{"-v"} << 0 << version;
        QTest::newRow("Qt's own option beside a command")
            << QStringList{"-platform", "offscreen", "--version"} << 0 << version;
        QTest::newRow("--help") << QStringList{"--help"} << 0 << "--restore <";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "«bogus»";
        QTest::newRow("unknown single-dash option") << QStringList{"-x"} << 2 << "«x»";
        QTest::newRow("stray argument") << QStringList{"file.kvbackup"} << 2 << "«file.kvbackup»";
        QTest::newRow("file missing") << QStringList{"--backup"} << 2 << "--backup";
        QTest::newRow("--replace alone") << QStringList{"--replace"} << 2 << "--restore";
        QTest::newRow("both commands")
            << QStringList{"--backup", "a", "--restore", "b"} << 2 << "вместе";
        QTest::newRow("--profile alone")
            << QStringList{"--profile", "Иван"} << 2 << "--export-history";
        QTest::newRow("export beside backup")
            << QStringList{"--export-history", "a.csv", "--backup", "b"} << 2 << "вместе";
        QTest::newRow("export into a missing folder")
            << QStringList{"--export-history", "/nonexistent/h.csv"} << 1 << "/nonexistent";
        QTest::newRow("restore of a missing file")
            << QStringList{"--restore", "/nonexistent/copy.kvbackup"} << 1 << "не найден";
        QTest::newRow("backup into a missing folder")
            << QStringList{"--backup", "/nonexistent/copy.kvbackup"} << 1
            << "Не удалось записать копию";
    }
    void answers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, printed);
        const Run run = start(arguments);
        QCOMPARE(run.exitCode, exitCode);
        if (exitCode == 0) {
            QVERIFY2(run.out.contains(printed), qPrintable(run.out));
        } else {
            QVERIFY(run.out.isEmpty());
            QVERIFY2(run.err.contains(printed), qPrintable(run.err));
            QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
        }
    }

    // A backup, an empty home, a restore: the profiles and the history are back, and the
    // message says where the data before the restore went.
    void backupThenRestoreIntoEmptyHome()
    {
        {
            SettingsStore settings;
            ProfileStore profiles(settings);
            ProfileInputs in;
            in.calendarAge = 47;
            in.female = true;
            QVERIFY(profiles.Save(QStringLiteral("Ольга"), false, in));
            HistoryStore history;
            QVERIFY(history.addAll({entry(QStringLiteral("Ольга"), 1), entry("Ольга", 2)}));
        }
        const QString copy = m_dir.filePath(QStringLiteral("копия.kvbackup"));
        const Run backup = start({"--backup", copy});
        QVERIFY2(backup.exitCode == 0, qPrintable(backup.err));
        QVERIFY(QFileInfo(copy).isFile());

        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
            QDir folder(m_env.value(QString::fromLatin1(name)));
            QVERIFY(folder.removeRecursively());
            QVERIFY(QDir().mkpath(folder.path()));
        }
        const Run restore = start({"--restore", copy});
        QVERIFY2(restore.exitCode == 0, qPrintable(restore.err));
        SettingsStore settings;
        ProfileStore profiles(settings);
        QCOMPARE(profiles.LoadPresets(), QStringList{QStringLiteral("Ольга")});
        QCOMPARE(profiles.Read(QStringLiteral("Ольга")).calendarAge, 47);
        HistoryStore history;
        QCOMPARE(history.entries(QStringLiteral("Ольга"))->size(), 2);
        const QString before =
            QFileInfo(history.location())
                .dir()
                .filePath(
                    restore.out.section(QStringLiteral("сохранены в «"), 1).section(u'»', 0, 0));
        QVERIFY2(QFileInfo(before).isFile(), qPrintable(restore.out));
    }

    // --export-history writes what the History tab's export writes: one profile's records with
    // --profile, every profile's without; the separators follow the language.
    void exportHistory_data()
    {
        QTest::addColumn<QStringList>("profileOption");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QChar>("decimal");
        QTest::newRow("one profile") << QStringList{"--profile", "Пётр; \"П\""}
                                     << QStringList{"Пётр; \"П\""} << "ru_RU" << QChar(u',');
        QTest::newRow("every profile")
            << QStringList{} << QStringList{"Пётр; \"П\"", "Яна"} << "ru_RU" << QChar(u',');
        QTest::newRow("in English")
            << QStringList{"--profile", "Яна"} << QStringList{"Яна"} << "en_US" << QChar(u'.');
    }
    void exportHistory()
    {
        QFETCH(QStringList, profileOption);
        QFETCH(QStringList, names);
        QFETCH(QString, language);
        QFETCH(QChar, decimal);
        {
            HistoryStore history;
            QVERIFY(history.replaceAll({entry(QStringLiteral("Яна"), 1),
                                        entry(QStringLiteral("Пётр; \"П\""), 2),
                                        entry(QStringLiteral("Пётр; \"П\""), 3)}));
        }
        QList<HistoryEntry> expected;
        HistoryStore history;
        for (const QString& name : names) {
            QList<HistoryEntry> entries = *history.entries(name);
            std::reverse(entries.begin(), entries.end());
            expected += entries;
        }
        const QString file = m_dir.filePath(QStringLiteral("история.csv"));
        QFile::remove(file);
        const QProcessEnvironment plain = m_env;
        m_env.insert(QStringLiteral("LANGUAGE"), language);
        m_env.insert(QStringLiteral("LC_ALL"), language + QStringLiteral(".UTF-8"));
        const Run run = start(QStringList{"--export-history", file} + profileOption);
        m_env = plain;
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        // The header is in the language's words; the records must be exactly the export's.
        const auto records = [](const QByteArray& text) {
            return text.mid(text.indexOf("\r\n") + 2);
        };
        // What the window writes in that language.
        const UiLanguage ui =
            language == QLatin1String("en_US") ? UiLanguage::English : UiLanguage::Russian;
        QVERIFY(installTranslations(*QCoreApplication::instance(), ui));
        const QByteArray wanted = HistoryCsv(decimal).text(expected);
        QVERIFY(installTranslations(*QCoreApplication::instance(), UiLanguage::Russian));
        QCOMPARE(records(written.readAll()), records(wanted));
    }

    // While the window runs a restore is refused and changes nothing; the other commands
    // still answer.
    void restoreRefusedWhileWindowRuns()
    {
        const QString copy = m_dir.filePath(QStringLiteral("running.kvbackup"));
        QCOMPARE(start({"--backup", copy}).exitCode, 0);
        SingleInstance window(QStringLiteral(VITALON_INSTANCE_KEY));
        QVERIFY(window.claim());
        const QString data = m_env.value(QStringLiteral("XDG_DATA_HOME"));
        const auto files = [&data] {
            QStringList all;
            QDirIterator it(data, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                all << it.next();
            return all;
        };
        const QStringList before = files();
        const Run restore = start({"--restore", copy});
        QCOMPARE(restore.exitCode, 1);
        QVERIFY2(restore.err.contains(QStringLiteral("закройте")), qPrintable(restore.err));
        QCOMPARE(files(), before);
        QCOMPARE(start({"--backup", copy}).exitCode, 0);
        QCOMPARE(start({"--version"}).exitCode, 0);
    }

private:
    Run start(const QStringList& arguments)
    {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.start(QStringLiteral(VITALON_PROGRAM), arguments);
        Run run;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return run;
        run.exitCode = process.exitCode();
        run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        run.err = QString::fromLocal8Bit(process.readAllStandardError());
        return run;
    }

    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
