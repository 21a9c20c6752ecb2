#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

namespace pipes {

// The server end of a local message pipe (on Linux a SOCK_SEQPACKET Unix socket named
// <runtime dir>/<pipe name>, mode 0600, peers of other user ids refused). Any number of
// clients; every complete message is delivered by pipeMessage on the thread that owns
// the server (the GUI thread), one at a time, in arrival order, also inside modal loops.
// Messages longer than maxMessageSize() are dropped. A stale socket file is replaced.
class PipeServer : public QObject {
    Q_OBJECT
public:
    explicit PipeServer(QObject *parent = nullptr);
    ~PipeServer() override; // inactive

    void setPipeName(const QString &name);
    QString pipeName() const;
    static constexpr int maxMessageSize() { return 64 * 1024; }

    // Setting active listens (throws std::runtime_error with the system's message when the
    // pipe cannot be made); setting inactive stops accepting and reading and drops clients.
    void setActive(bool active);
    bool isActive() const;
    // Full path of the socket file while active.
    QString socketPath() const;
    int clientCount() const;

signals:
    void pipeMessage(const QByteArray &message);

public:
    struct Impl;

private:
    std::unique_ptr<Impl> d_;
};

} // namespace pipes
