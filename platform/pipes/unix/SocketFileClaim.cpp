#include "SocketFileClaim.h"

#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pipes::unixsock {

static std::runtime_error alreadyServed(const QString &path)
{
    return std::runtime_error("the pipe " + path.toStdString() + " is already served by another server");
}

void SocketFileClaim::acquire(const QString &path)
{
    release();
    const QByteArray lockName = (path + QStringLiteral(".lock")).toLocal8Bit();
    UniqueFd lock(::open(lockName.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!lock.valid())
        throw std::runtime_error(systemError("lock file").toStdString());
    if (::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            throw alreadyServed(path);
        throw std::runtime_error(systemError("lock").toStdString());
    }
    removeStaleSocket(path);
    lock_ = std::move(lock);
    path_ = path;
}

void SocketFileClaim::removeStaleSocket(const QString &path)
{
    const QByteArray bytes = path.toLocal8Bit();
    struct stat status {};
    if (::lstat(bytes.constData(), &status) != 0)
        return; // nothing there
    if (!S_ISSOCK(status.st_mode))
        throw std::runtime_error("not a socket, left in place: " + path.toStdString());
    UniqueFd probe = makeSeqPacketSocket();
    const ConnectResult answer = connectTo(probe.get(), path);
    if (answer == ConnectResult::Connected || answer == ConnectResult::Busy)
        throw alreadyServed(path);
    if (::unlink(bytes.constData()) != 0 && errno != ENOENT)
        throw std::runtime_error(systemError("removing a stale pipe").toStdString());
}

void SocketFileClaim::release()
{
    if (path_.isEmpty())
        return;
    ::unlink(path_.toLocal8Bit().constData());
    path_.clear();
    lock_.reset();
}

} // namespace pipes::unixsock
