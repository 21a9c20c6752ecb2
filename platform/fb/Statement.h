#pragma once

#include "Registry.h"
#include "RowSet.h"
#include "SqlParameters.h"

#include <QHash>
#include <QString>
#include <QVariant>

namespace Firebird { class IStatement; }

namespace fb {

class Database;
class Transaction;

// One SQL text on one connection: rewritten to positional markers, prepared once per
// attachment, bound by parameter name, executed, its rows fetched into buffers sized from
// the statement's metadata. Used by Query and DataSet.
class Statement {
public:
    explicit Statement(Database &db);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void setSql(const QString &sql);
    const QString &sql() const { return sql_; }
    bool isEmpty() const { return sql_.trimmed().isEmpty(); }
    // Upper-cased names of the markers, in order.
    const QStringList &parameterNames() const { return positional_.names; }
    // Throws naming the first of `names` (upper case) that the text does not have.
    void requireKnownNames(const QStringList &names) const;

    struct Result {
        RowSet rows;
        int affected = 0;
        bool hasOutput = false;
    };
    // Connects on use and starts the transaction when needed. A parameter nobody set
    // (absent from params, keys upper case) binds NULL.
    Result run(Transaction &transaction, const QHash<QString, QVariant> &params, bool trimChar);

    // Forgets the prepared statement; frees it on the server when the connection is alive.
    void discard(bool serverAlive);

private:
    void prepare(Transaction &transaction);

    Database &db_;
    QString sql_;
    PositionalSql positional_;
    Firebird::IStatement *handle_ = nullptr;
    quint64 generation_ = 0;
    Registration<Statement> registration_;
};

} // namespace fb
