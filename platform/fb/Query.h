#pragma once

#include "Field.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>

namespace fb {

class Database;
class Transaction;

// A free statement: any SQL text with named parameters, run in one transaction.
// Statements that return rows (a select, a selectable procedure, "execute procedure"
// with outputs) keep their rows after execute() until close().
class Query : public QObject {
    Q_OBJECT
public:
    Query(Database &db, Transaction &transaction, QObject *parent = nullptr);
    ~Query() override;

    Database &database() const { return db_; }
    Transaction &transaction() const { return tr_; }

    // The text may be built line by line, as callers clear it and add one statement.
    void setSql(const QString &sql);
    void clearSql();
    void addSql(const QString &line);
    const QString &sql() const { return sql_; }

    // Parameters are bound by name regardless of case. Setting a name the statement
    // does not have is reported when it runs, naming the parameter.
    void setParam(const QString &name, const QVariant &value);
    QVariant param(const QString &name) const;

    // Commit the transaction after each successful execute.
    void setAutoCommit(bool on) { autoCommit_ = on; }
    bool autoCommit() const { return autoCommit_; }

    // Connects on use, starts the transaction when needed, runs the statement and, for a
    // statement with output, fetches every row.
    void execute();
    void close();
    bool isOpen() const;

    int rowsAffected() const;  // insert/update/delete count of the last execute
    const QVector<Field> &fields() const;
    int fieldIndex(const QString &name) const; // -1 when absent; case-insensitive
    int rowCount() const;
    QVariant value(int row, int field) const;
    QVariant fieldValue(const QString &name) const; // first row; throws when the field is absent
    QString fieldText(const QString &name) const;   // first row as text; null gives ""

    struct Impl;

private:
    Database &db_;
    Transaction &tr_;
    QString sql_;
    bool autoCommit_ = false;
    std::unique_ptr<Impl> d_;
};

} // namespace fb
