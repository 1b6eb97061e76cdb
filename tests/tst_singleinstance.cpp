#include "core/app/SingleInstance.h"

#include <QCoreApplication>
#include <QLocalSocket>
#include <QProcess>
#include <QtTest>

#include <cstdio>

namespace {

const char* const HoldArgument = "--hold-claim";

// Short timeouts: the tests wait for them to pass, and the program's own (2 s and 1 s) would
// make the suite sleep.
constexpr int ClaimTimeoutMs = 300;
constexpr int PeerTimeoutMs = 100;

// Each test has a key of its own, never the program's, so no running copy is met.
QString uniqueKey(const char* name)
{
    return QStringLiteral("tst-singleinstance-%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(QLatin1String(name));
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void secondCopyActivatesFirst()
    {
        SingleInstance first(uniqueKey("second"));
        QVERIFY(first.claim());
        QSignalSpy activated(&first, &SingleInstance::activationRequested);

        QElapsedTimer timer;
        timer.start();
        SingleInstance second(uniqueKey("second"));
        QVERIFY(!second.claim());
        QVERIFY(timer.elapsed() < 1000);
        QVERIFY(activated.wait(2000));
        QCOMPARE(activated.count(), 1);

        // The first copy keeps listening after a request.
        SingleInstance third(uniqueKey("second"));
        QVERIFY(!third.claim());
        QVERIFY(activated.wait(2000));
    }

    void silentOwnerDoesNotHoldUpSecondCopy()
    {
        // A live owner of the lock that never listens (hung at start-up).
        const QString key = uniqueKey("silent");
        QLockFile held(SingleInstance(key).lockPath());
        QVERIFY(held.tryLock(0));

        QElapsedTimer timer;
        timer.start();
        SingleInstance second(key);
        second.setClaimTimeout(ClaimTimeoutMs);
        QVERIFY(!second.claim());
        QVERIFY(timer.elapsed() < ClaimTimeoutMs + 1000);
    }

    void otherKeyIsIndependent()
    {
        SingleInstance a(uniqueKey("a"));
        SingleInstance b(uniqueKey("b"));
        QVERIFY(a.claim());
        QVERIFY(b.claim());
    }

    void releasedClaimCanBeTakenAgain()
    {
        {
            SingleInstance first(uniqueKey("released"));
            QVERIFY(first.claim());
        }
        SingleInstance next(uniqueKey("released"));
        QVERIFY(next.claim());
    }

    void channelIsPrivateAndRemovedWithItsOwner()
    {
        const QString key = uniqueKey("private");
        QString channel;
        {
            SingleInstance first(key);
            QVERIFY(first.claim());
            channel = first.channelPath();
            const QFileInfo info(channel);
            QVERIFY(info.exists());
            QCOMPARE(info.permissions() & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                            QFile::WriteUser | QFile::ExeOwner | QFile::ExeUser),
                     QFile::Permissions());
        }
        QVERIFY(!QFileInfo::exists(channel));

        // A copy that ends leaves alone a channel file that is no longer its own.
        {
            SingleInstance owner(key);
            QVERIFY(owner.claim());
            QVERIFY(QFile::remove(channel));
            QFile other(channel);
            QVERIFY(other.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFileInfo::exists(channel));
        QFile::remove(channel);
    }

    void foreignBytesAreIgnored_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("silent peer") << QByteArray();
        QTest::newRow("part of the request") << QByteArray("activ");
        QTest::newRow("garbage") << QByteArray("garbage!!\n");
        QTest::newRow("request in capitals") << QByteArray("ACTIVATE\n");
        QTest::newRow("a flood") << QByteArray(1 << 20, 'x');
    }
    void foreignBytesAreIgnored()
    {
        QFETCH(QByteArray, bytes);
        SingleInstance first(uniqueKey("foreign"));
        first.setPeerTimeout(PeerTimeoutMs);
        QVERIFY(first.claim());
        QSignalSpy activated(&first, &SingleInstance::activationRequested);

        QLocalSocket peer;
        peer.connectToServer(first.channelPath());
        QVERIFY(peer.waitForConnected(1000));
        QSignalSpy dropped(&peer, &QLocalSocket::disconnected);
        peer.write(bytes);
        // The first copy hangs up on the peer, within its timeout, without a request.
        QVERIFY(dropped.wait(PeerTimeoutMs + 2000));
        QCOMPARE(activated.count(), 0);
    }

    void killedOwnerIsTakenOver()
    {
        const QString key = uniqueKey("killed");
        QProcess owner;
        owner.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(HoldArgument), key});
        QVERIFY(owner.waitForStarted(5000));
        QVERIFY(owner.waitForReadyRead(5000));
        QCOMPARE(owner.readLine().trimmed(), QByteArray("claimed"));

        {
            SingleInstance whileAlive(key);
            QVERIFY(!whileAlive.claim());
        }

        owner.kill(); // SIGKILL: no chance to clean up the lock or the channel
        QVERIFY(owner.waitForFinished(5000));
        QVERIFY(QFile::exists(SingleInstance(key).lockPath()));

        SingleInstance next(key);
        QVERIFY(next.claim());
        QSignalSpy activated(&next, &SingleInstance::activationRequested);
        SingleInstance later(key);
        QVERIFY(!later.claim());
        QVERIFY(activated.wait(2000));
    }
};

int main(int argc, char* argv[])
{
    // Child mode for the killed-owner test: claim, say so, and wait to be killed.
    if (argc == 3 && qstrcmp(argv[1], HoldArgument) == 0) {
        QCoreApplication app(argc, argv);
        SingleInstance instance(QString::fromLocal8Bit(argv[2]));
        if (!instance.claim())
            return 1;
        std::puts("claimed");
        std::fflush(stdout);
        return app.exec();
    }
    QCoreApplication app(argc, argv);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
