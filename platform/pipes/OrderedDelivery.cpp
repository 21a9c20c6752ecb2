#include "OrderedDelivery.h"

#include <QPointer>

namespace pipes {

OrderedDelivery::OrderedDelivery(QObject *owner, Deliver deliver)
    : owner_(owner), deliver_(std::move(deliver))
{
}

void OrderedDelivery::push(QByteArray message)
{
    queue_.push_back(std::move(message));
}

bool OrderedDelivery::drain()
{
    if (delivering_)
        return true;
    const QPointer<QObject> alive(owner_);
    // Also when a callback throws, later messages must still be delivered.
    struct EndOfDelivery {
        OrderedDelivery *self;
        const QPointer<QObject> &alive;
        ~EndOfDelivery()
        {
            if (alive)
                self->delivering_ = false;
        }
    } end{this, alive};
    delivering_ = true;
    while (!queue_.empty()) {
        const QByteArray message = std::move(queue_.front());
        queue_.pop_front();
        deliver_(message);
        if (!alive)
            return false; // this object went with its owner
    }
    return true;
}

} // namespace pipes
