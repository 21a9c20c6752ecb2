#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

namespace fb {

class Database;

// The transaction parameters, used exactly as listed (no preset mode replaces them).
struct TransactionParams {
    enum class Access { Read, Write };
    enum class Isolation { Concurrency, ReadCommitted, Consistency };

    Access access = Access::Write;
    Isolation isolation = Isolation::Concurrency;
    bool nowait = true;
    bool recVersion = false; // only meaningful with ReadCommitted

    // From the Firebird keyword list: "read", "write", "nowait", "wait", "rec_version",
    // "no_rec_version", "read_committed", "concurrency", "consistency". Unknown words throw.
    static TransactionParams fromKeywords(const QStringList &keywords);
};

// A transaction on one connection. It starts on use (a statement calls start() when it
// is not active); commit() and rollback() end it. A transaction still active when its
// connection closes is rolled back.
class Transaction : public QObject {
    Q_OBJECT
public:
    Transaction(Database &db, const TransactionParams &params, QObject *parent = nullptr);
    ~Transaction() override;

    Database &database() const { return db_; }
    const TransactionParams &params() const { return params_; }

    bool isActive() const;
    void start();    // connects on use; does nothing when active
    void commit();   // does nothing when not active
    void rollback(); // does nothing when not active

    struct Impl;
    Impl &impl() { return *d_; }

private:
    Database &db_;
    TransactionParams params_;
    std::unique_ptr<Impl> d_;
};

} // namespace fb
