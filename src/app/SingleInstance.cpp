#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <cstring>

#ifdef Q_OS_UNIX
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

} // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent)
{
    const QString base = key + QLatin1Char('-') + userTag();
    m_lockPath = QDir(privateFolder()).filePath(base + QStringLiteral(".lock"));
#ifdef Q_OS_UNIX
    m_channel = QDir(privateFolder()).filePath(base + QStringLiteral(".sock"));
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
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    // Only a live owner counts; a lock whose process is gone is stale and removed.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        m_lock.reset();
        notifyRunningCopy();
        return false;
    }
    // A channel left by a killed copy would refuse to listen: take it over.
    QLocalServer::removeServer(m_channel);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->setMaxPendingConnections(4);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    // Without a channel the program still runs; only activation by a second copy is lost.
    m_server->listen(m_channel);
    return true;
}

bool SingleInstance::notifyRunningCopy()
{
    // The running copy may still be starting: give it a moment to listen.
    for (int attempt = 0; attempt < 20; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(m_channel);
        if (socket.waitForConnected(100)) {
            socket.write(ActivationRequest);
            const bool sent = socket.waitForBytesWritten(500);
            socket.disconnectFromServer();
            return sent;
        }
        QThread::msleep(50);
    }
    return false;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // Read at most the request's length; anything else is ignored.
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            const qint64 want = static_cast<qint64>(std::strlen(ActivationRequest));
            if (socket->bytesAvailable() < want)
                return;
            const QByteArray request = socket->read(want);
            socket->disconnectFromServer();
            if (request == ActivationRequest)
                emit activationRequested();
        });
        // A peer that never sends the request is dropped.
        QTimer::singleShot(2000, socket, [socket] { socket->abort(); });
    }
}
