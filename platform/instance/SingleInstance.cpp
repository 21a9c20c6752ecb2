#include "instance/SingleInstance.h"

#include "InstanceLock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>
#include <QThread>

namespace instance {

namespace {
// The later copy's request and the first copy's answer, one line each.
const QByteArray kRequest = "secondRun\n";
const QByteArray kAnswer = "done\n";
constexpr int kRetryIntervalMs = 20;
constexpr int kConnectAttemptMs = 500;
// How long a copy that holds the lock may take to start listening before a later copy
// stops asking (it then counts as running but unreachable).
constexpr int kListenPatienceMs = 10000;

enum class Asked { Answered, NotListening };
} // namespace

struct SingleInstance::Impl {
    explicit Impl(SingleInstance *owner, const QString &k) : q(owner), key(k) {}

    SingleInstance *q;
    QString key;
    InstanceLock lock;
    QLocalServer *noticeServer = nullptr;

    QString runtimePath(const QString &suffix) const;
    void listenForLaterCopies();
    void serve(QLocalSocket *socket);
    void answer(QLocalSocket *socket);
    Asked askFirstCopy(const QDeadlineTimer &deadline) const;
};

QString SingleInstance::Impl::runtimePath(const QString &suffix) const
{
    QString safeKey = key;
    safeKey.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QLatin1Char('/') + safeKey
           + suffix;
}

void SingleInstance::Impl::listenForLaterCopies()
{
    noticeServer = new QLocalServer(q);
    noticeServer->setSocketOptions(QLocalServer::UserAccessOption);
    const QString path = runtimePath(QStringLiteral(".notice"));
    // We hold the lock, so a socket file still there belongs to a copy that died.
    QLocalServer::removeServer(path);
    if (!noticeServer->listen(path))
        qWarning("single instance: cannot listen on %s: %s", qPrintable(path),
                 qPrintable(noticeServer->errorString()));
    QObject::connect(noticeServer, &QLocalServer::newConnection, q, [this] {
        while (QLocalSocket *socket = noticeServer->nextPendingConnection())
            serve(socket);
    });
}

void SingleInstance::Impl::serve(QLocalSocket *socket)
{
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QLocalSocket::readyRead, q, [this, socket] { answer(socket); });
    if (socket->canReadLine())
        answer(socket);
}

void SingleInstance::Impl::answer(QLocalSocket *socket)
{
    if (!socket->canReadLine())
        return;
    if (socket->readLine() != kRequest) {
        socket->abort(); // not one of us
        return;
    }
    QObject::disconnect(socket, &QLocalSocket::readyRead, q, nullptr);
    // The handlers may run a modal loop in which the socket is deleted or the server
    // object goes away; only a living socket gets the answer.
    const QPointer<QLocalSocket> alive(socket);
    emit q->secondRun();
    if (!alive)
        return;
    alive->write(kAnswer);
    alive->flush();
    alive->disconnectFromServer();
}

Asked SingleInstance::Impl::askFirstCopy(const QDeadlineTimer &deadline) const
{
    QLocalSocket socket;
    socket.connectToServer(runtimePath(QStringLiteral(".notice")));
    const qint64 remaining = deadline.remainingTime();
    const int connectWait = remaining < 0 ? kConnectAttemptMs : int(std::min<qint64>(remaining, kConnectAttemptMs));
    if (!socket.waitForConnected(connectWait))
        return Asked::NotListening; // the first copy is still starting
    socket.write(kRequest);
    socket.flush();
    // Until the answer, or until the first copy closes (it ended meanwhile): either way
    // this copy is not the first.
    while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState) {
        const qint64 left = deadline.remainingTime();
        if (left == 0 || !socket.waitForReadyRead(left < 0 ? -1 : int(left)))
            break;
    }
    return Asked::Answered;
}

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent), d_(std::make_unique<Impl>(this, key))
{
}

SingleInstance::~SingleInstance()
{
    // Close the notice socket (which removes its file) while still holding the lock, so
    // that it cannot remove the socket of a copy that starts right after.
    delete d_->noticeServer;
    d_->noticeServer = nullptr;
    d_->lock.release();
}

bool SingleInstance::claim(int timeoutMs)
{
    if (d_->lock.held())
        return true;
    const QDeadlineTimer deadline = timeoutMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever)
                                                  : QDeadlineTimer(timeoutMs);
    const QDeadlineTimer listenPatience(kListenPatienceMs);
    for (;;) {
        if (d_->lock.tryAcquire(d_->runtimePath(QStringLiteral(".lock")))) {
            d_->listenForLaterCopies();
            return true;
        }
        if (d_->askFirstCopy(deadline) == Asked::Answered || deadline.hasExpired()
            || listenPatience.hasExpired())
            return false;
        QThread::msleep(kRetryIntervalMs);
    }
}

QString SingleInstance::keyForExecutable()
{
    const QString path = QCoreApplication::instance()
                             ? QCoreApplication::applicationFilePath()
                             : QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    return QFileInfo(path).fileName();
}

} // namespace instance
