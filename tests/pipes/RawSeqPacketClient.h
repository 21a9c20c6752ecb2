#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A bare blocking SOCK_SEQPACKET client for what PipeClient never does: leave at once,
// send without waiting for an event loop, or send garbage.
class RawSeqPacketClient {
public:
    explicit RawSeqPacketClient(const QString &path);
    ~RawSeqPacketClient();
    RawSeqPacketClient(const RawSeqPacketClient &) = delete;
    RawSeqPacketClient &operator=(const RawSeqPacketClient &) = delete;

    bool isConnected() const { return fd_ >= 0; }
    bool send(const QByteArray &message);
    void close();

private:
    int fd_ = -1;
};

// Leaves a socket file at path with nobody listening, as a crashed server would.
bool leaveStaleSocketFile(const QString &path);
