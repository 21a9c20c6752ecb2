#pragma once

// Thin helpers over Unix-domain SOCK_SEQPACKET sockets shared by the server and the client
// of the Linux pipe back end. Internal to platform/pipes: the public headers stay free of
// POSIX types so that a Windows back end can sit beside this one.

#include <QByteArray>
#include <QString>

namespace pipes::unixsock {

// Owns one file descriptor and closes it.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(const UniqueFd &) = delete;
    UniqueFd &operator=(const UniqueFd &) = delete;
    UniqueFd(UniqueFd &&other) noexcept : fd_(other.release()) {}
    UniqueFd &operator=(UniqueFd &&other) noexcept;
    ~UniqueFd() { reset(); }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release();
    void reset(int fd = -1);

private:
    int fd_ = -1;
};

// <runtime dir>/<name>; throws std::runtime_error when the name is empty, contains a
// slash or makes a path too long for a socket address.
QString socketPathFor(const QString &pipeName);

// A non-blocking, close-on-exec SOCK_SEQPACKET socket, or an invalid one (errno set).
UniqueFd makeSeqPacketSocket();

// A listening socket bound at path, mode 0600 before anyone can connect; throws
// std::runtime_error with the system's message.
UniqueFd listenAt(const QString &path);

enum class ConnectResult { Connected, NobodyListening, Busy, Failed };
// Connects the socket to the path; never blocks. Busy: a live server whose backlog is full.
ConnectResult connectTo(int fd, const QString &path);

// Receiving side: ask the kernel to attach the sender's credentials to every message.
// That attachment is what tells a received empty message from the end of the connection,
// since recv returns 0 for both.
bool enableCredentials(int fd);
// The user id of the connected peer, or -1 when it cannot be read.
long long peerUid(int fd);
bool isOwnUser(long long uid);

struct Received {
    enum Kind { Message, Oversized, NothingYet, Closed };
    Kind kind = NothingYet;
    QByteArray message;
};
// Reads the next message without blocking. Messages longer than maxSize are consumed and
// reported as Oversized (their bytes are not kept). Requires enableCredentials(fd).
// buffer is scratch space kept by the caller between calls.
Received receiveMessage(int fd, QByteArray &buffer, int maxSize);

enum class SendResult { Sent, WouldBlock, TooLarge, Broken };
SendResult sendMessage(int fd, const QByteArray &message);
// Waits at most timeoutMs for the socket to accept more data.
bool waitWritable(int fd, int timeoutMs);

QString systemError(const char *what);

} // namespace pipes::unixsock
