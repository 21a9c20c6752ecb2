#include "Query.h"

#include "Database.h"
#include "DatabaseImpl.h"
#include "Error.h"
#include "Statement.h"
#include "TransactionImpl.h"

namespace fb {

struct Query::Impl : ConnectionUser {
    Impl(Query &owner, Database &db)
        : self(owner), statement(db), registration(db.impl().registry, &Registry::users, this)
    {
    }
    void connectionClosing() override { self.close(); }

    Query &self;
    Statement statement;
    QHash<QString, QVariant> params; // keys upper case
    RowSet rows;
    bool open = false;
    int affected = 0;
    Registration<ConnectionUser> registration;
};

Query::Query(Database &db, Transaction &transaction, QObject *parent)
    : QObject(parent), db_(db), tr_(transaction), d_(std::make_unique<Impl>(*this, db))
{
}

Query::~Query() = default;

void Query::setSql(const QString &sql)
{
    close();
    sql_ = sql;
}

void Query::clearSql()
{
    setSql({});
}

void Query::addSql(const QString &line)
{
    setSql(sql_.isEmpty() ? line : sql_ + '\n' + line);
}

void Query::setParam(const QString &name, const QVariant &value)
{
    d_->params.insert(name.toUpper(), value);
}

QVariant Query::param(const QString &name) const
{
    return d_->params.value(name.toUpper());
}

void Query::execute()
{
    close();
    d_->statement.setSql(sql_);
    d_->statement.requireKnownNames(d_->params.keys());
    try {
        Statement::Result result = d_->statement.run(tr_, d_->params, false);
        if (autoCommit_)
            tr_.commit();
        d_->rows = std::move(result.rows);
        d_->affected = result.affected;
        d_->open = result.hasOutput;
    } catch (const Error &) {
        // Each execution is its own unit of work: a failed one leaves no transaction open
        // behind it (a snapshot kept open would make later writes conflict).
        if (autoCommit_)
            rollbackAfterFailure(tr_);
        throw;
    }
}

void Query::close()
{
    d_->open = false;
    d_->rows = RowSet{};
}

bool Query::isOpen() const { return d_->open; }
int Query::rowsAffected() const { return d_->affected; }
const QVector<Field> &Query::fields() const { return d_->rows.layout.fields; }

int Query::fieldIndex(const QString &name) const
{
    return d_->rows.layout.indexOf(name);
}

int Query::rowCount() const { return d_->rows.rowCount(); }

QVariant Query::value(int row, int field) const
{
    if (row < 0 || row >= rowCount() || field < 0 || field >= fields().size())
        return {};
    return d_->rows.value(row, field);
}

QVariant Query::fieldValue(const QString &name) const
{
    const int index = fieldIndex(name);
    if (index < 0)
        throw Error(Error::Kind::General, QString("Field \"%1\" not found in: %2").arg(name, sql_.simplified()));
    return value(0, index);
}

QString Query::fieldText(const QString &name) const
{
    return fieldValue(name).toString();
}

} // namespace fb
