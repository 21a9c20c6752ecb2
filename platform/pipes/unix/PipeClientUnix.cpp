// Linux back end of PipeClient: a non-blocking SOCK_SEQPACKET socket; queued messages are
// sent when a QSocketNotifier reports the socket writable, so write() never waits for the
// reader.

#include "pipes/PipeClient.h"

#include "SeqPacketSocket.h"
#include "SocketNotifiers.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>

#include <deque>
#include <stdexcept>

namespace pipes {

using namespace unixsock;

namespace {
constexpr int kRetryIntervalMs = 10;
constexpr int kMessagesPerWakeUp = 256;
// The largest message a client accepts from the server side.
constexpr int kMaxIncomingMessage = 64 * 1024;
// flush() gives up on a server that stops reading for this long.
constexpr int kFlushPatienceMs = 5000;
} // namespace

struct PipeClient::Impl {
    explicit Impl(PipeClient *owner) : q(owner) {}

    PipeClient *q;
    QString name;
    qint64 throttle = 10240000;
    UniqueFd fd;
    QSocketNotifier *readNotifier = nullptr;
    QSocketNotifier *writeNotifier = nullptr;
    std::deque<QByteArray> queue;
    qint64 queuedBytes = 0;
    QByteArray scratch;

    bool connected() const { return fd.valid(); }
    bool tryConnect(const QString &path);
    void watch();
    void close(bool announce);
    void sendQueued();
    void readIncoming();
    bool waitForEmptyQueue();
};

bool PipeClient::Impl::tryConnect(const QString &path)
{
    UniqueFd socket = makeSeqPacketSocket();
    if (!socket.valid() || connectTo(socket.get(), path) != ConnectResult::Connected)
        return false;
    enableCredentials(socket.get()); // tells an empty reply from the server's hang-up
    fd = std::move(socket);
    watch();
    return true;
}

void PipeClient::Impl::watch()
{
    readNotifier = new QSocketNotifier(fd.get(), QSocketNotifier::Read, q);
    QObject::connect(readNotifier, &QSocketNotifier::activated, q, [this] { readIncoming(); });
    writeNotifier = new QSocketNotifier(fd.get(), QSocketNotifier::Write, q);
    writeNotifier->setEnabled(false);
    QObject::connect(writeNotifier, &QSocketNotifier::activated, q, [this] { sendQueued(); });
}

void PipeClient::Impl::close(bool announce)
{
    if (!connected())
        return;
    retire(readNotifier);
    retire(writeNotifier);
    fd.reset();
    queue.clear();
    queuedBytes = 0;
    if (announce)
        emit q->disconnected();
}

void PipeClient::Impl::sendQueued()
{
    while (connected() && !queue.empty()) {
        const SendResult result = sendMessage(fd.get(), queue.front());
        if (result == SendResult::WouldBlock)
            break;
        if (result == SendResult::Broken) {
            close(true);
            return;
        }
        // Sent, or too large for the socket ever to take: either way it leaves the queue.
        queuedBytes -= queue.front().size();
        queue.pop_front();
    }
    if (writeNotifier)
        writeNotifier->setEnabled(!queue.empty());
}

void PipeClient::Impl::readIncoming()
{
    const QPointer<PipeClient> alive(q);
    for (int i = 0; i < kMessagesPerWakeUp && connected(); ++i) {
        Received received = receiveMessage(fd.get(), scratch, kMaxIncomingMessage);
        if (received.kind == Received::NothingYet)
            return;
        if (received.kind == Received::Closed) {
            close(true);
            return;
        }
        if (received.kind == Received::Message) {
            emit q->pipeMessage(received.message);
            if (!alive)
                return;
        }
    }
}

bool PipeClient::Impl::waitForEmptyQueue()
{
    // Events keep flowing meanwhile: the reader may be this very thread's server.
    const QPointer<PipeClient> alive(q);
    while (alive && connected() && !queue.empty())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return alive && connected();
}

PipeClient::PipeClient(QObject *parent) : QObject(parent), d_(std::make_unique<Impl>(this)) {}

PipeClient::~PipeClient()
{
    d_->close(false);
}

void PipeClient::setPipeName(const QString &name)
{
    d_->name = name;
}

QString PipeClient::pipeName() const
{
    return d_->name;
}

void PipeClient::setMemoryThrottle(qint64 bytes)
{
    d_->throttle = bytes;
}

bool PipeClient::connectToPipe(int waitMs)
{
    if (d_->connected())
        return true;
    QString path;
    try {
        path = socketPathFor(d_->name);
    } catch (const std::runtime_error &) {
        return false; // a name that cannot exist is a pipe nobody serves
    }
    const QDeadlineTimer deadline(std::max(waitMs, 0));
    while (!d_->tryConnect(path)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(std::min<qint64>(kRetryIntervalMs, deadline.remainingTime()));
    }
    return true;
}

bool PipeClient::isConnected() const
{
    return d_->connected();
}

void PipeClient::disconnectFromPipe()
{
    d_->close(true);
}

bool PipeClient::write(const QByteArray &message)
{
    if (!d_->connected())
        return false;
    if (d_->queuedBytes > d_->throttle && !d_->waitForEmptyQueue())
        return false;
    d_->queue.push_back(message);
    d_->queuedBytes += message.size();
    d_->writeNotifier->setEnabled(true);
    return true;
}

void PipeClient::flush()
{
    const QPointer<PipeClient> alive(this);
    const QDeadlineTimer patience(kFlushPatienceMs);
    while (alive && d_->connected() && !d_->queue.empty() && !patience.hasExpired()) {
        d_->sendQueued();
        if (alive && d_->connected() && !d_->queue.empty() && !waitWritable(d_->fd.get(), 20))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20); // a same-thread reader
    }
}

} // namespace pipes
