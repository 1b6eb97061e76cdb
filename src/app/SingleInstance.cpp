#include "app/SingleInstance.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <string>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

// A per-user folder: the runtime folder (private to the user) where there is one.
QString privateFolder()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}

QString userTag()
{
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

// The channel's file is private to the user already; this also refuses a peer of another
// user that reached it some other way (a shared temporary folder).
bool peerIsSameUser(QLocalSocket* socket)
{
#if defined(Q_OS_LINUX)
    ucred cred{};
    socklen_t size = sizeof cred;
    const int fd = static_cast<int>(socket->socketDescriptor());
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &size) == 0 && cred.uid == ::getuid();
#elif defined(Q_OS_UNIX)
    uid_t uid = 0;
    gid_t gid = 0;
    return ::getpeereid(static_cast<int>(socket->socketDescriptor()), &uid, &gid) == 0 &&
           uid == ::getuid();
#else
    Q_UNUSED(socket);
    return true;
#endif
}

constexpr qint64 requestLength()
{
    return static_cast<qint64>(std::char_traits<char>::length(SingleInstance::ActivationRequest));
}

} // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent)
{
    const QString folder = privateFolder();
    QDir().mkpath(folder);
    const QString base = key + QLatin1Char('-') + userTag();
    m_lockPath = QDir(folder).filePath(base + QStringLiteral(".lock"));
#ifdef Q_OS_UNIX
    m_channel = QDir(folder).filePath(base + QStringLiteral(".sock"));
#else
    m_channel = base;
#endif
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

bool SingleInstance::claim()
{
    // The other copy may be starting (holds the lock, not yet listening) or ending (no
    // longer listening, still holds the lock): keep trying both for a bounded time.
    const QDeadlineTimer deadline(2000);
    for (;;) {
        auto lock = std::make_unique<QLockFile>(m_lockPath);
        // Only a live owner counts: a lock whose process is gone is stale and removed.
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            m_lock = std::move(lock);
            listen();
            return true;
        }
        if (lock->error() != QLockFile::LockFailedError) {
            // No lock can be made here at all; the channel alone still finds a running copy.
            if (notifyRunningCopy(200))
                return false;
            listen();
            return true;
        }
        if (notifyRunningCopy(100))
            return false;
        if (deadline.hasExpired())
            return false; // a copy holds the lock but does not answer; do not start a second one
        QThread::msleep(50);
    }
}

void SingleInstance::listen()
{
    // A channel left by a killed copy would refuse to listen: take it over.
    QLocalServer::removeServer(m_channel);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->setMaxPendingConnections(4);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    // Without a channel the program still runs; only activation by a second copy is lost.
    if (!m_server->listen(m_channel))
        qWarning("Single-copy channel %s: %s", qPrintable(m_channel),
                 qPrintable(m_server->errorString()));
}

bool SingleInstance::notifyRunningCopy(int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(m_channel);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(ActivationRequest);
    // Local writes land in the kernel's buffer; a busy first copy reads them later.
    const bool sent = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return sent;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!peerIsSameUser(socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // Take in no more than the request; anything else is ignored.
        socket->setReadBufferSize(requestLength());
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() < requestLength())
                return;
            const QByteArray request = socket->read(requestLength());
            socket->abort();
            if (request == ActivationRequest)
                emit activationRequested();
        });
        QTimer::singleShot(PeerTimeoutMs, socket, [socket] { socket->abort(); });
    }
}

void SingleInstance::bringToFront(QWidget* window)
{
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
    // An open modal window keeps the input; it has to stay above its owner.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != window) {
        modal->raise();
        modal->activateWindow();
    }
}
