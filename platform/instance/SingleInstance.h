#pragma once

#include <QObject>
#include <QString>
#include <memory>

namespace instance {

// Keeps one running copy per executable file name (not per path). The first copy holds
// a lock file and listens on a notice socket in the runtime dir; a later copy with the
// same key connects, asks the first to announce it (secondRun), waits until the first
// says the announcement was dismissed, and should then exit with code 0.
// A lock or socket left by a killed copy does not block the next start.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString &key, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the first copy (it now holds the key). False when another
    // copy runs: that copy has been told and has finished handling secondRun by the time
    // this returns (or timeoutMs passed).
    bool claim(int timeoutMs = -1);

    // The key the current executable would use: its file name without the folder.
    static QString keyForExecutable();

signals:
    // In the first copy, once per later start; the second copy waits until every
    // connected slot has returned.
    void secondRun();

public:
    struct Impl;

private:
    std::unique_ptr<Impl> d_;
};

} // namespace instance
