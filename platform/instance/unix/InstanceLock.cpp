#include "InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace instance {

bool InstanceLock::tryAcquire(const QString &path)
{
    if (held())
        return true;
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void InstanceLock::release()
{
    // The file itself stays: removing it could let two later copies lock different files.
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace instance
