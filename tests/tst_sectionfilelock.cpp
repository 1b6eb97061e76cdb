// The store's file against other processes: a lock that cannot be taken refuses the write
// after a bounded wait and costs nothing stored; a lock left by a killed process is taken over;
// a process killed while it saves leaves every save it finished, whole.
//
// The other processes are this program started again as a child (STORE_TEST_CHILD set):
//   hold LOCK          takes the lock and keeps it until its standard input closes
//   hold-briefly LOCK  takes the lock and lets it go after 200 ms
//   save FOLDER        saves profiles 1, 2, 3, … in the store below FOLDER, printing each
//                      number once its save has returned
#include "core/profiles/SettingsStore.h"

#include "StoreAccess.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

const QString app = QStringLiteral("Kalder_Programming");
const QString list = QStringLiteral("Vitalon2\\Presets");
constexpr int oldProfiles = 2000;

QString section(const QString& name)
{
    return list + QLatin1Char('\\') + name;
}

QString nameKey(int n)
{
    return QStringLiteral("_%1_").arg(n);
}

// The keys a profile numbered n holds, as the program writes them.
QHash<QString, QString> profileKeys(int n)
{
    QHash<QString, QString> keys;
    for (int i : {14, 15, 16, 17, 30, 31})
        keys.insert(QStringLiteral("C%1").arg(i), QString::number(10 + (n * i) % 80));
    keys.insert(QStringLiteral("C27"), n % 2 ? QStringLiteral("True") : QStringLiteral("False"));
    keys.insert(QStringLiteral("C28"), n % 2 ? QStringLiteral("False") : QStringLiteral("True"));
    for (int i = 39; i <= 65; ++i)
        keys.insert(QStringLiteral("C%1").arg(i),
                    (n + i) % 3 ? QStringLiteral("0") : QStringLiteral("1"));
    keys.insert(QStringLiteral("C66"), QString::number(n % 4));
    return keys;
}

void addProfile(SettingsStore::Batch& batch, const QString& name, int n)
{
    batch.save(list, nameKey(n), name);
    batch.save(list, QStringLiteral("LastIndex"), QString::number(n));
    const QHash<QString, QString> keys = profileKeys(n);
    for (auto it = keys.cbegin(); it != keys.cend(); ++it)
        batch.save(section(name), it.key(), it.value());
}

QString newName(int n)
{
    return QStringLiteral("Новый %1").arg(n);
}

void tell(const QByteArray& line)
{
    std::fputs(line.constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void waitForEndOfInput()
{
    while (std::getchar() != EOF) {
    }
}

bool parentLives()
{
#ifdef Q_OS_UNIX
    static const pid_t parent = getppid();
    return getppid() == parent;
#else
    return true;
#endif
}

int runChild(const QStringList& args)
{
    const QString what = args.value(1);
    const QString path = args.value(2);
    if (what == QLatin1String("hold") || what == QLatin1String("hold-briefly")) {
        QLockFile lock(path);
        if (!lock.lock())
            return 1;
        tell("locked");
        if (what == QLatin1String("hold-briefly")) {
            QThread::msleep(200);
            lock.unlock();
        }
        waitForEndOfInput();
        return 0;
    }
    if (what == QLatin1String("save")) {
        SettingsStore store(path);
        // Until killed, or until the test that started it is gone.
        for (int n = oldProfiles + 1; n <= oldProfiles + 10000 && parentLives(); ++n) {
            SettingsStore::Batch batch;
            addProfile(batch, newName(n), n);
            if (store.apply(app, batch))
                tell(QByteArray::number(n));
        }
    }
    return 2;
}

// This program again, as another process.
class Child
{
public:
    explicit Child(const QStringList& args)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("STORE_TEST_CHILD"), QStringLiteral("1"));
        m_process.setProcessEnvironment(env);
        m_process.start(QCoreApplication::applicationFilePath(), args);
    }
    ~Child()
    {
        if (m_process.state() != QProcess::NotRunning)
            kill();
    }
    // The next line it prints, or an empty one when it prints none.
    QByteArray line()
    {
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(30000))
                return QByteArray();
        }
        return m_process.readLine().trimmed();
    }
    QByteArray rest() { return m_process.readAllStandardOutput(); }
    // SIGKILL, then reaped, so that its process id no longer counts as alive.
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    void closeInput()
    {
        m_process.closeWriteChannel();
        QVERIFY(m_process.waitForFinished());
        QCOMPARE(m_process.exitCode(), 0);
    }

private:
    QProcess m_process;
};

enum Blocker
{
    FolderAtTheLockPath,
    LiveHolder,
    KilledHolder,
    EmptyLock,
    BriefHolder,
};

} // namespace

class TestSectionFileLock : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // The write waits a bounded time for the lock, then is refused with nothing lost; a fresh
    // start meanwhile reads the stored profiles without waiting. Once the cause is gone, the
    // next write works.
    void lockThatCannotBeTaken_data()
    {
        QTest::addColumn<int>("blocker");
        QTest::addColumn<bool>("refused");
        QTest::newRow("a folder at the lock path") << int(FolderAtTheLockPath) << true;
        QTest::newRow("held by a live process") << int(LiveHolder) << true;
        QTest::newRow("left by a killed process") << int(KilledHolder) << false;
        QTest::newRow("left empty by a process killed while taking it") << int(EmptyLock) << false;
        QTest::newRow("held by a live process for 200 ms") << int(BriefHolder) << false;
    }
    void lockThatCannotBeTaken()
    {
        QFETCH(int, blocker);
        QFETCH(bool, refused);
        SettingsStore store(m_dir->path());
        SettingsStore::Batch first;
        addProfile(first, QStringLiteral("Утро"), 1);
        QVERIFY(store.apply(app, first));
        const QString file = storeFile(m_dir->path());
        const QString lock = file + QStringLiteral(".lock");
        const QByteArray before = fileBytes(file);

        std::unique_ptr<Child> holder;
        if (blocker == FolderAtTheLockPath) {
            QVERIFY(QDir().mkdir(lock));
        } else if (blocker == EmptyLock) {
            QFile empty(lock);
            QVERIFY(empty.open(QIODevice::WriteOnly));
        } else {
            holder = std::make_unique<Child>(QStringList{
                blocker == BriefHolder ? QStringLiteral("hold-briefly") : QStringLiteral("hold"),
                lock});
            QCOMPARE(holder->line(), QByteArray("locked"));
            if (blocker == KilledHolder) {
                holder->kill();
                QVERIFY(QFile::exists(lock));
            }
        }

        SettingsStore starting(m_dir->path());
        QCOMPARE(starting.keys(app, section(QStringLiteral("Утро"))), profileKeys(1));

        SettingsStore::Batch second;
        addProfile(second, QStringLiteral("Вечер"), 2);
        QCOMPARE(store.apply(app, second), !refused);
        if (refused) {
            QCOMPARE(fileBytes(file), before);
            QCOMPARE(storedText(store, list, nameKey(2), QStringLiteral("absent")),
                     QStringLiteral("absent"));
            QVERIFY(store.keys(app, section(QStringLiteral("Вечер"))).isEmpty());
            if (blocker == FolderAtTheLockPath)
                QVERIFY(QDir().rmdir(lock));
            else
                holder->closeInput();
            QVERIFY(store.apply(app, second));
        }
        SettingsStore restarted(m_dir->path());
        QCOMPARE(storedText(restarted, list, nameKey(2), QString()), QStringLiteral("Вечер"));
        QCOMPARE(restarted.keys(app, section(QStringLiteral("Вечер"))), profileKeys(2));
        QCOMPARE(restarted.keys(app, section(QStringLiteral("Утро"))), profileKeys(1));
        QVERIFY(!QFile::exists(lock));
    }

    // kill -9 while saving in a loop: the store still loads, with every save that returned
    // before the kill, whole, and the one under way whole or not at all.
    void killedWhileSaving_data()
    {
        QTest::addColumn<int>("saves");
        QTest::addColumn<int>("delayUs"); // after the last save seen, before the kill
        // Kills spread over the time one save takes, to land in its every step.
        QTest::newRow("after one save") << 1 << 0;
        for (int delay : {300, 900, 2000, 4000, 7000, 11000})
            QTest::addRow("after 3 saves and %d us", delay) << 3 << delay;
        QTest::newRow("after 20 saves") << 20 << 0;
    }
    void killedWhileSaving()
    {
        QFETCH(int, saves);
        QFETCH(int, delayUs);
        {
            // Enough profiles that every save writes a few hundred kilobytes.
            SettingsStore store(m_dir->path());
            SettingsStore::Batch batch;
            for (int n = 1; n <= oldProfiles; ++n)
                addProfile(batch, QStringLiteral("Старый %1").arg(n), n);
            QVERIFY(store.apply(app, batch));
        }
        int last = 0;
        {
            Child saver({QStringLiteral("save"), m_dir->path()});
            while (last < oldProfiles + saves) {
                const QByteArray line = saver.line();
                QVERIFY2(!line.isEmpty(), "the saving process stopped");
                last = line.toInt();
            }
            QThread::usleep(delayUs);
            saver.kill();
            for (const QByteArray& line : saver.rest().split('\n')) {
                if (!line.trimmed().isEmpty())
                    last = line.trimmed().toInt();
            }
        }

        SettingsStore store(m_dir->path());
        const QHash<QString, QString> names = store.keys(app, list);
        for (int n = 1; n <= last; ++n) {
            const QString name = n <= oldProfiles ? QStringLiteral("Старый %1").arg(n) : newName(n);
            QCOMPARE(names.value(nameKey(n)), name);
            QCOMPARE(store.keys(app, section(name)), profileKeys(n));
        }
        const QHash<QString, QString> underWay = store.keys(app, section(newName(last + 1)));
        QVERIFY(underWay.isEmpty() || underWay == profileKeys(last + 1));
        QCOMPARE(names.contains(nameKey(last + 1)), !underWay.isEmpty());

        // The lock the killed process may have left is taken over at once.
        SettingsStore::Batch after;
        addProfile(after, QStringLiteral("После"), last + 2);
        QVERIFY(store.apply(app, after));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("STORE_TEST_CHILD"))
        return runChild(QCoreApplication::arguments());
    TestSectionFileLock test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sectionfilelock.moc"
