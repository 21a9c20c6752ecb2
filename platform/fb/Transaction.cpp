#include "Transaction.h"

#include "DatabaseImpl.h"
#include "Error.h"
#include "TransactionImpl.h"

namespace fb {

TransactionParams TransactionParams::fromKeywords(const QStringList &keywords)
{
    TransactionParams p;
    for (const QString &word : keywords) {
        const QString w = word.trimmed().toLower();
        if (w == "read")
            p.access = Access::Read;
        else if (w == "write")
            p.access = Access::Write;
        else if (w == "nowait")
            p.nowait = true;
        else if (w == "wait")
            p.nowait = false;
        else if (w == "rec_version")
            p.recVersion = true;
        else if (w == "no_rec_version")
            p.recVersion = false;
        else if (w == "read_committed")
            p.isolation = Isolation::ReadCommitted;
        else if (w == "concurrency")
            p.isolation = Isolation::Concurrency;
        else if (w == "consistency")
            p.isolation = Isolation::Consistency;
        else
            throw Error(Error::Kind::General, "Unknown transaction parameter: " + word);
    }
    return p;
}

namespace {

void addTags(Firebird::IXpbBuilder *tpb, Firebird::CheckStatusWrapper *status, const TransactionParams &p)
{
    using P = TransactionParams;
    tpb->insertTag(status, p.access == P::Access::Read ? isc_tpb_read : isc_tpb_write);
    tpb->insertTag(status, p.nowait ? isc_tpb_nowait : isc_tpb_wait);
    switch (p.isolation) {
    case P::Isolation::ReadCommitted:
        tpb->insertTag(status, isc_tpb_read_committed);
        tpb->insertTag(status, p.recVersion ? isc_tpb_rec_version : isc_tpb_no_rec_version);
        break;
    case P::Isolation::Concurrency:
        tpb->insertTag(status, isc_tpb_concurrency);
        break;
    case P::Isolation::Consistency:
        tpb->insertTag(status, isc_tpb_consistency);
        break;
    }
}

} // namespace

Transaction::Transaction(Database &db, const TransactionParams &params, QObject *parent)
    : QObject(parent), db_(db), params_(params), d_(std::make_unique<Impl>(db.impl().registry, this))
{
}

Transaction::~Transaction()
{
    try {
        rollback();
    } catch (const Error &) {
        d_->discard();
    }
}

bool Transaction::isActive() const
{
    return d_->handle != nullptr;
}

void Transaction::start()
{
    if (isActive())
        return;
    db_.ensureConnected();
    client::Status status;
    auto *tpb = client::util()->getXpbBuilder(status.get(), Firebird::IXpbBuilder::TPB, nullptr, 0);
    db_.impl().check(status);
    addTags(tpb, status.get(), params_);
    Firebird::ITransaction *handle = nullptr;
    if (!status.failed())
        handle = db_.impl().attachment->startTransaction(status.get(), tpb->getBufferLength(status.get()),
                                                         tpb->getBuffer(status.get()));
    tpb->dispose();
    db_.impl().check(status);
    d_->handle = handle;
}

void Transaction::commit()
{
    if (!isActive())
        return;
    client::Status status;
    d_->handle->commit(status.get());
    db_.impl().check(status); // a failed commit leaves the transaction active
    d_->handle = nullptr;     // a successful commit released the interface
}

void Transaction::rollback()
{
    if (!isActive())
        return;
    client::Status status;
    d_->handle->rollback(status.get());
    db_.impl().check(status);
    d_->handle = nullptr;
}

} // namespace fb

namespace fb {

void rollbackAfterFailure(Transaction &transaction)
{
    try {
        transaction.rollback();
    } catch (const Error &) {
        transaction.impl().discard();
    }
}

} // namespace fb
