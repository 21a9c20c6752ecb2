#pragma once

#include <QByteArray>
#include <QObject>
#include <deque>
#include <functional>

namespace pipes {

// Hands queued messages to a callback one at a time and in queue order. A message that
// arrives while the callback runs (say it opened a modal dialog, whose event loop reads
// the pipe again) is queued and handed over after the callback has returned, never
// re-entrantly. Messages still reach the callback inside event loops that others opened.
class OrderedDelivery {
public:
    using Deliver = std::function<void(const QByteArray &)>;

    // owner: the object whose destruction by a callback must end the delivery at once.
    OrderedDelivery(QObject *owner, Deliver deliver);

    void push(QByteArray message);
    qsizetype pending() const { return qsizetype(queue_.size()); }
    bool isDelivering() const { return delivering_; }
    void clear() { queue_.clear(); }

    // Delivers everything queued unless a delivery is already running further up the
    // stack (that one carries on with the queue). Returns false when the owner was
    // destroyed by a callback: the caller must not touch the owner or this object then.
    bool drain();

private:
    QObject *owner_;
    Deliver deliver_;
    std::deque<QByteArray> queue_;
    bool delivering_ = false;
};

} // namespace pipes
