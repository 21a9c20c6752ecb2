#pragma once

#include <QString>

namespace instance {

// A process-wide exclusive lock on a file, released when the holder closes it or dies
// (flock), so that the lock of a killed copy never blocks the next start.
class InstanceLock {
public:
    InstanceLock() = default;
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;
    ~InstanceLock() { release(); }

    // True when this process now holds the lock; false when another holder has it or the
    // file cannot be opened.
    bool tryAcquire(const QString &path);
    void release();
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

} // namespace instance
