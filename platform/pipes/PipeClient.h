#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

namespace pipes {

// The client end of a local message pipe. Writes are queued and sent from the event loop
// of the owning thread; write() never blocks the caller for command-sized messages and
// returns false, sending nothing, while not connected.
class PipeClient : public QObject {
    Q_OBJECT
public:
    explicit PipeClient(QObject *parent = nullptr);
    ~PipeClient() override; // disconnects

    void setPipeName(const QString &name);
    QString pipeName() const;
    // Bytes that may wait unsent before a write first waits (handling events) for the queue.
    void setMemoryThrottle(qint64 bytes);

    // Connects to the local pipe, retrying until it is available or waitMs have passed.
    // Returns whether it connected.
    bool connectToPipe(int waitMs);
    bool isConnected() const;
    void disconnectFromPipe();

    bool write(const QByteArray &message);
    bool write(const QString &text) { return write(text.toLatin1()); }
    // For literals such as write("0"), which would otherwise match both overloads above.
    bool write(const char *text) { return write(QByteArray(text)); }
    // Sends everything queued (used before a deliberate exit).
    void flush();

signals:
    // Messages the server side sends back (the module never sends any).
    void pipeMessage(const QByteArray &message);
    void disconnected();

public:
    struct Impl;

private:
    std::unique_ptr<Impl> d_;
};

} // namespace pipes
