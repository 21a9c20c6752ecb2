#pragma once

#include "Field.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

namespace fb {

class Database;
class Transaction;

// A result set held in memory with a cursor, driven by five statements:
//   select  - reads the rows (read transaction);
//   insert, update, delete - write one row (write transaction). ":X" takes the row's
//             current value of column X, ":OLD_X" the value as read;
//   refresh - re-reads one row after a post (and after a delete where asked).
// States: Inactive (closed), Browse, Edit, Insert. All work runs on the caller's thread.
class DataSet : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    DataSet(Database &db, Transaction &readTransaction, Transaction &writeTransaction, QObject *parent = nullptr);
    ~DataSet() override;

    Database &database() const { return db_; }

    void setSelectSql(const QString &sql);
    void setInsertSql(const QString &sql);
    void setUpdateSql(const QString &sql);
    void setDeleteSql(const QString &sql);
    void setRefreshSql(const QString &sql);
    QString selectSql() const;

    // Select parameters (for a select with ":NAME" parameters), bound at open().
    void setParam(const QString &name, const QVariant &value);

    void setAutoCommit(bool on);          // commit the write transaction after each post and delete
    void setRefreshAfterPost(bool on);    // re-read the row after each post
    void setRefreshAfterDelete(bool on);  // keep a deleted row when the re-read still finds it
    void setOnNewRecord(std::function<void(DataSet &)> hook);
    bool canModify() const; // has an insert, update or delete statement

    // Opening connects on use, starts the read transaction, fetches every row and puts
    // the cursor on the first one.
    void open();
    void close();
    bool isOpen() const;
    State state() const;

    const QVector<Field> &fields() const;
    int fieldIndex(const QString &name) const; // -1 when absent; case-insensitive

    int rowCount() const; // includes the row being inserted
    bool isEmpty() const { return rowCount() == 0; }
    int currentRow() const; // -1 when empty or closed
    // Moving the cursor first finishes an edit or insert: a changed row is posted,
    // an unchanged one cancelled.
    void setCurrentRow(int row);
    void first();
    void prior();
    void next();
    void last();

    // Value of any row as displayed (the edit buffer for the current row while editing).
    QVariant value(int row, int field) const;
    // The current row's value; the field is named regardless of case.
    QVariant fieldValue(const QString &name) const;
    QString fieldText(const QString &name) const; // null gives ""
    QVariant oldValue(const QString &name) const; // value as read
    // Only in Edit or Insert state. Text values have CHAR padding trimmed when read; an
    // empty text is written as NULL.
    void setFieldValue(int field, const QVariant &value);
    void setFieldValue(const QString &name, const QVariant &value);
    bool isModified() const;

    void insert(); // a new empty row before the current one; runs the new-record hook
    void edit();
    void post();   // on failure the row stays in its editing state
    void cancel();
    void remove(); // deletes the current row through the delete statement
    void refresh(); // re-reads the current row through the refresh statement
    void checkBrowseMode(); // posts a changed row, cancels an unchanged one

    // Finds the first row whose field, as text, equals value exactly (case-sensitive).
    // Moves the cursor there and returns true; otherwise leaves the cursor and returns false.
    bool locate(const QString &field, const QString &value);

signals:
    void opened();
    void closed();
    void stateChanged(fb::DataSet::State state);
    void currentRowChanged(int row);
    void rowsReset();                // the whole row set changed (open, close)
    void rowChanged(int row);        // values of one row changed (edit, post, refresh)
    void rowInserted(int row);
    void rowRemoved(int row);

public:
    struct Impl;

private:
    Database &db_;
    std::unique_ptr<Impl> d_;
};

} // namespace fb
