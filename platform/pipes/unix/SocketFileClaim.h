#pragma once

#include "SeqPacketSocket.h"

#include <QString>

namespace pipes::unixsock {

// The right to serve at a socket path. A lock file beside the socket ("<path>.lock", held
// while serving, freed by the kernel when a process dies) keeps two servers starting at
// once from unlinking each other's socket; a connect test also refuses a live server that
// holds no lock. A socket file nobody answers on is left over from a crashed run and is
// removed so that the path can be bound again.
class SocketFileClaim {
public:
    SocketFileClaim() = default;
    SocketFileClaim(const SocketFileClaim &) = delete;
    SocketFileClaim &operator=(const SocketFileClaim &) = delete;
    ~SocketFileClaim() { release(); }

    // Throws std::runtime_error when another live server owns the path, or when
    // something that is not a socket lies there.
    void acquire(const QString &path);
    // Removes the socket file and frees the lock; nothing when not held.
    void release();
    QString path() const { return path_; }

private:
    void removeStaleSocket(const QString &path);

    QString path_;
    UniqueFd lock_;
};

} // namespace pipes::unixsock
