// Linux back end of PipeServer: a listening SOCK_SEQPACKET Unix socket read with
// QSocketNotifier on the thread that owns the server.

#include "pipes/PipeServer.h"

#include "OrderedDelivery.h"
#include "SeqPacketSocket.h"
#include "SocketFileClaim.h"
#include "SocketNotifiers.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <sys/socket.h>
#include <vector>

namespace pipes {

using namespace unixsock;

namespace {
// Messages read from one client per wake-up, so that one busy client cannot starve the
// others or the rest of the event loop.
constexpr int kMessagesPerWakeUp = 256;
// Undelivered messages at which reading pauses (a slot running a long modal loop); the
// kernel's socket buffers then hold the writers back.
constexpr qsizetype kPauseReadingAt = 4096;
} // namespace

struct PipeServer::Impl {
    struct Client {
        UniqueFd fd;
        QSocketNotifier *notifier = nullptr;
    };

    explicit Impl(PipeServer *owner)
        : q(owner), delivery(owner, [owner](const QByteArray &m) { emit owner->pipeMessage(m); })
    {
    }

    PipeServer *q;
    QString name;
    SocketFileClaim claim;
    UniqueFd listener;
    QSocketNotifier *acceptNotifier = nullptr;
    std::vector<std::unique_ptr<Client>> clients;
    QByteArray scratch;
    OrderedDelivery delivery;
    bool readingPaused = false;

    bool active() const { return listener.valid(); }
    void activate();
    void deactivate();
    void listenOn(const QString &path);
    void acceptClients();
    void readClient(Client *client);
    void dropClient(Client *client);
    void deliverQueued();
    void pauseReading(bool pause);
};

void PipeServer::Impl::activate()
{
    claim.acquire(socketPathFor(name)); // throws when another server owns the name
    try {
        listenOn(claim.path());
    } catch (...) {
        claim.release();
        throw;
    }
}

void PipeServer::Impl::listenOn(const QString &path)
{
    listener = listenAt(path);
    acceptNotifier = new QSocketNotifier(listener.get(), QSocketNotifier::Read, q);
    QObject::connect(acceptNotifier, &QSocketNotifier::activated, q, [this] { acceptClients(); });
}

void PipeServer::Impl::deactivate()
{
    retire(acceptNotifier);
    for (auto &client : clients)
        retire(client->notifier);
    clients.clear();
    listener.reset();
    claim.release(); // removes the socket file
    delivery.clear();
    readingPaused = false;
}

void PipeServer::Impl::acceptClients()
{
    for (;;) {
        UniqueFd fd(::accept4(listener.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!fd.valid())
            return; // EAGAIN, or a client that gave up before we got to it
        // Another account is refused even if the file mode was loosened behind our back.
        if (!isOwnUser(peerUid(fd.get())) || !enableCredentials(fd.get()))
            continue;
        auto client = std::make_unique<Client>();
        client->fd = std::move(fd);
        client->notifier = new QSocketNotifier(client->fd.get(), QSocketNotifier::Read, q);
        client->notifier->setEnabled(!readingPaused);
        Client *raw = client.get();
        QObject::connect(client->notifier, &QSocketNotifier::activated, q, [this, raw] { readClient(raw); });
        clients.push_back(std::move(client));
    }
}

void PipeServer::Impl::readClient(Client *client)
{
    for (int i = 0; i < kMessagesPerWakeUp && !readingPaused; ++i) {
        Received received = receiveMessage(client->fd.get(), scratch, maxMessageSize());
        if (received.kind == Received::NothingYet)
            break;
        if (received.kind == Received::Closed) {
            dropClient(client); // what it sent before hanging up is queued already
            break;
        }
        if (received.kind == Received::Message)
            delivery.push(std::move(received.message));
        if (delivery.pending() >= kPauseReadingAt)
            pauseReading(true);
    }
    deliverQueued();
}

void PipeServer::Impl::dropClient(Client *client)
{
    retire(client->notifier);
    const auto found = std::find_if(clients.begin(), clients.end(),
                                    [client](const auto &c) { return c.get() == client; });
    if (found != clients.end())
        clients.erase(found);
}

void PipeServer::Impl::deliverQueued()
{
    if (!delivery.drain())
        return; // the server was destroyed by a slot
    if (!delivery.isDelivering() && readingPaused)
        pauseReading(false);
}

void PipeServer::Impl::pauseReading(bool pause)
{
    readingPaused = pause;
    for (auto &client : clients)
        client->notifier->setEnabled(!pause);
}

PipeServer::PipeServer(QObject *parent) : QObject(parent), d_(std::make_unique<Impl>(this)) {}

PipeServer::~PipeServer()
{
    d_->deactivate();
}

void PipeServer::setPipeName(const QString &name)
{
    if (d_->active())
        throw std::logic_error("the pipe name cannot change while the server is active");
    d_->name = name;
}

QString PipeServer::pipeName() const
{
    return d_->name;
}

void PipeServer::setActive(bool active)
{
    if (active == d_->active())
        return;
    if (active)
        d_->activate();
    else
        d_->deactivate();
}

bool PipeServer::isActive() const
{
    return d_->active();
}

QString PipeServer::socketPath() const
{
    return d_->active() ? d_->claim.path() : QString();
}

int PipeServer::clientCount() const
{
    return int(d_->clients.size());
}

} // namespace pipes
