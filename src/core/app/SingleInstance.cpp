#include "core/app/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <string>

#ifdef Q_OS_UNIX
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#else
#include <QLocalServer>
#include <QLocalSocket>
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

constexpr qint64 requestLength()
{
    return static_cast<qint64>(std::char_traits<char>::length(SingleInstance::ActivationRequest));
}

#ifdef Q_OS_UNIX

// The channel's file is private to the user already; this also refuses a peer of another
// user that reached it some other way (a shared temporary folder).
bool peerIsSameUser(int fd)
{
#if defined(Q_OS_LINUX)
    ucred cred{};
    socklen_t size = sizeof cred;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &size) == 0 && cred.uid == ::getuid();
#else
    uid_t uid = 0;
    gid_t gid = 0;
    return ::getpeereid(fd, &uid, &gid) == 0 && uid == ::getuid();
#endif
}

// The socket address of path; false when the path does not fit.
bool channelAddress(const QString& path, sockaddr_un* address)
{
    const QByteArray encoded = QFile::encodeName(path);
    if (encoded.size() >= static_cast<qsizetype>(sizeof address->sun_path))
        return false;
    *address = sockaddr_un{};
    address->sun_family = AF_UNIX;
    std::memcpy(address->sun_path, encoded.constData(), static_cast<size_t>(encoded.size()));
    return true;
}

int openSocket()
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return -1;
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
#ifdef SO_NOSIGPIPE
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_NOSIGPIPE, &on, sizeof on);
#endif
    return fd;
}

// Waits until fd is ready for events or the deadline passes.
bool waitFor(int fd, short events, const QDeadlineTimer& deadline)
{
    pollfd p{fd, events, 0};
    for (;;) {
        const int r = ::poll(&p, 1, static_cast<int>(deadline.remainingTime()));
        if (r > 0)
            return true;
        if (r == 0 || errno != EINTR)
            return false;
    }
}

// One connected peer: takes in no more than the request, then hangs up; a peer that has
// not sent it within the timeout is dropped.
class Peer : public QObject
{
public:
    Peer(int fd, SingleInstance* instance) : QObject(instance), m_fd(fd)
    {
        m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this, instance] {
            if (read())
                return;
            drop();
            if (m_request == SingleInstance::ActivationRequest)
                emit instance->activationRequested();
        });
        QTimer::singleShot(instance->peerTimeout(), this, [this] { drop(); });
    }
    ~Peer() override { hangUp(); }

private:
    // True while more of the request is awaited.
    bool read()
    {
        char buffer[64];
        const qint64 wanted = requestLength() - m_request.size();
        const ssize_t n = ::read(m_fd, buffer, static_cast<size_t>(wanted));
        if (n > 0) {
            m_request.append(buffer, n);
            return m_request.size() < requestLength();
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
            return true;
        m_request.clear(); // closed or failed before the whole request
        return false;
    }
    void drop()
    {
        hangUp();
        deleteLater();
    }
    void hangUp()
    {
        if (m_fd < 0)
            return;
        m_notifier->setEnabled(false);
        ::close(m_fd);
        m_fd = -1;
    }

    int m_fd;
    QSocketNotifier* m_notifier = nullptr;
    QByteArray m_request;
};

#endif

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
#ifdef Q_OS_UNIX
    if (m_listener >= 0) {
        delete m_acceptor;
        ::close(m_listener);
        // Only our own channel file: never one a later copy has put there.
        struct stat st = {};
        const QByteArray path = QFile::encodeName(m_channel);
        if (::lstat(path.constData(), &st) == 0 && S_ISSOCK(st.st_mode) &&
            st.st_ino == m_listenerInode)
            ::unlink(path.constData());
    }
#else
    if (m_server)
        m_server->close();
#endif
}

bool SingleInstance::claim()
{
    // The other copy may be starting (holds the lock, not yet listening) or ending (no
    // longer listening, still holds the lock): keep trying both for a bounded time.
    const QDeadlineTimer deadline(m_claimTimeoutMs);
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

bool SingleInstance::claimQuietly()
{
    auto lock = std::make_unique<QLockFile>(m_lockPath);
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        return true;
    }
    // No lock can be made here at all (an unwritable runtime folder): a window started like
    // that would not hold one either, so nothing tells that it runs.
    return lock->error() != QLockFile::LockFailedError;
}

#ifdef Q_OS_UNIX

void SingleInstance::listen()
{
    // Without a channel the program still runs; only activation by a second copy is lost.
    const auto fail = [this](const char* what) {
        qWarning("Single-copy channel %s: %s: %s", qPrintable(m_channel), what,
                 std::strerror(errno));
        if (m_listener >= 0)
            ::close(m_listener);
        m_listener = -1;
    };
    sockaddr_un address;
    if (!channelAddress(m_channel, &address)) {
        qWarning("Single-copy channel %s: path too long", qPrintable(m_channel));
        return;
    }
    m_listener = openSocket();
    if (m_listener < 0)
        return fail("socket");
    // A channel left by a killed copy would refuse to bind: take it over.
    ::unlink(address.sun_path);
    if (::bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return fail("bind");
    // For the user alone.
    struct stat st = {};
    if (::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::lstat(address.sun_path, &st) != 0)
        return fail("chmod");
    m_listenerInode = static_cast<quint64>(st.st_ino);
    if (::listen(m_listener, 4) != 0)
        return fail("listen");
    m_acceptor = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(m_acceptor, &QSocketNotifier::activated, this, &SingleInstance::acceptPeers);
}

void SingleInstance::acceptPeers()
{
    for (;;) {
        const int fd = ::accept(m_listener, nullptr, nullptr);
        if (fd < 0)
            return; // none left (or a peer that gave up meanwhile)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        if (!peerIsSameUser(fd)) {
            ::close(fd);
            continue;
        }
        new Peer(fd, this);
    }
}

bool SingleInstance::notifyRunningCopy(int timeoutMs)
{
    sockaddr_un address;
    if (!channelAddress(m_channel, &address))
        return false;
    const int fd = openSocket();
    if (fd < 0)
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    bool sent = false;
    for (;;) {
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            break;
        if (errno == EINPROGRESS) {
            int error = 0;
            socklen_t size = sizeof error;
            if (!waitFor(fd, POLLOUT, deadline) ||
                ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
                ::close(fd);
                return false;
            }
            break;
        }
        // A full backlog: the running copy is busy; try again until the deadline.
        if ((errno != EAGAIN && errno != EINTR) || deadline.hasExpired()) {
            ::close(fd);
            return false;
        }
        QThread::msleep(5);
    }
    // Local writes land in the kernel's buffer; a busy first copy reads them later.
    const char* request = ActivationRequest;
    qint64 left = requestLength();
    while (left > 0) {
#ifdef MSG_NOSIGNAL
        const ssize_t n = ::send(fd, request, static_cast<size_t>(left), MSG_NOSIGNAL);
#else
        const ssize_t n = ::send(fd, request, static_cast<size_t>(left), 0);
#endif
        if (n > 0) {
            request += n;
            left -= n;
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (!waitFor(fd, POLLOUT, deadline))
                break;
        } else {
            break;
        }
    }
    sent = left == 0;
    ::close(fd);
    return sent;
}

#else

namespace {

bool peerIsSameUser(QLocalSocket*)
{
    return true;
}

} // namespace

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
        QTimer::singleShot(m_peerTimeoutMs, socket, [socket] { socket->abort(); });
    }
}

#endif
