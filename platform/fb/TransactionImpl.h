#pragma once

#include "Client.h"
#include "Registry.h"
#include "Transaction.h"

namespace fb {

struct Transaction::Impl {
    Impl(const std::shared_ptr<Registry> &registry, Transaction *owner)
        : registration(registry, &Registry::transactions, owner)
    {
    }

    Firebird::ITransaction *handle = nullptr;
    Registration<Transaction> registration;

    // Forgets the transaction without asking the server (the connection is gone).
    void discard() { client::releaseRef(handle); }
};

} // namespace fb

namespace fb {

// After a failed unit of work under auto-commit: ends the transaction so that no
// snapshot stays open behind it. Errors of the rollback itself are not the caller's news.
void rollbackAfterFailure(Transaction &transaction);

} // namespace fb
