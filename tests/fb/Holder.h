#pragma once

#include "TestDatabase.h"
#include "fb/DataSet.h"
#include "fb/Error.h"
#include "fb/Database.h"
#include "fb/Query.h"
#include "fb/Transaction.h"

#include <optional>

// What a data holder of the program carries: one connection and its three transactions,
// configured for a test database and connecting on use.
struct Holder {
    explicit Holder(const TestDatabase &tdb)
        : read(db, fb::TransactionParams::fromKeywords({"read", "nowait", "rec_version", "read_committed"})),
          snapshotWrite(db, fb::TransactionParams::fromKeywords({"write", "nowait", "concurrency"})),
          committedWrite(db, fb::TransactionParams::fromKeywords({"write", "nowait", "rec_version", "read_committed"}))
    {
        db.setDatabaseName(tdb.connectionString());
        db.setUserName(TestDatabase::user());
        db.setPassword(TestDatabase::password());
    }

    fb::Database db;
    fb::Transaction read;           // transaksi1
    fb::Transaction snapshotWrite;  // transaksi2
    fb::Transaction committedWrite; // transaksi3
};

// Runs one statement on a holder in the given transaction and commits it.
inline void execCommitted(Holder &h, fb::Transaction &tr, const QString &sql)
{
    fb::Query q(h.db, tr);
    q.setSql(sql);
    q.setAutoCommit(true);
    q.execute();
}

// The error a step fails with; empty when it did not fail.
template <class Step> std::optional<fb::Error> errorOf(Step step)
{
    try {
        step();
    } catch (const fb::Error &e) {
        return e;
    }
    return std::nullopt;
}
