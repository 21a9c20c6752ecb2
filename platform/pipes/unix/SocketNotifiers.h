#pragma once

#include <QSocketNotifier>

namespace pipes::unixsock {

// Stops a notifier and lets the event loop delete it: it may be the very notifier whose
// activated() signal is running. Leaves the pointer null.
inline void retire(QSocketNotifier *&notifier)
{
    if (!notifier)
        return;
    notifier->setEnabled(false);
    QObject::disconnect(notifier, nullptr, nullptr, nullptr);
    notifier->deleteLater();
    notifier = nullptr;
}

} // namespace pipes::unixsock
