#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;
class QSocketNotifier;

// One copy per user. The first copy holds a lock and listens on a local channel; a later
// copy finds the lock taken, asks the first to come to the front, and ends. A lock left by
// a killed copy is stale and taken over.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // key names the channel; tests pass their own so they never meet a running program.
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True: this is the first copy and now listens. False: another copy runs and has been
    // asked to come to the front (or could not be reached); this copy should end.
    // Returns within about the claim timeout even if the other copy does not answer.
    bool claim();
    // Takes the lock for the rest of this object's life without listening and without asking
    // anything of another copy: for work that must not run beside the window (it would show
    // data changed under it) and must keep a window from starting meanwhile. False while
    // another copy runs.
    bool claimQuietly();

    // How long claim() keeps trying a copy that holds the lock but does not answer (two
    // seconds), and how long a connected peer may take to send its request before it is
    // dropped (one second).
    void setClaimTimeout(int ms) { m_claimTimeoutMs = ms; }
    void setPeerTimeout(int ms) { m_peerTimeoutMs = ms; }
    int peerTimeout() const { return m_peerTimeoutMs; }

    QString channelPath() const { return m_channel; }
    QString lockPath() const { return m_lockPath; }

    static constexpr const char* ActivationRequest = "activate\n";

signals:
    void activationRequested();

private:
    void listen();
    bool notifyRunningCopy(int timeoutMs);

    QString m_channel;
    QString m_lockPath;
    int m_claimTimeoutMs = 2000;
    int m_peerTimeoutMs = 1000;
    std::unique_ptr<QLockFile> m_lock;
#ifdef Q_OS_UNIX
    // A plain Unix-domain socket: QtNetwork (and what it loads) is not needed for this alone.
    void acceptPeers();
    int m_listener = -1;
    QSocketNotifier* m_acceptor = nullptr;
    quint64 m_listenerInode = 0;
#else
    void onNewConnection();
    QLocalServer* m_server = nullptr;
#endif
};
