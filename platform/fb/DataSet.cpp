#include "DataSet.h"

#include "Database.h"
#include "DatabaseImpl.h"
#include "Error.h"
#include "Statement.h"
#include "TransactionImpl.h"

#include <optional>

namespace fb {

using Values = QVector<QVariant>;

struct DataSet::Impl : ConnectionUser {
    Impl(DataSet &owner, Database &db, Transaction &read, Transaction &write)
        : self(owner), readTr(read), writeTr(write), select(db), insert(db), update(db), remove(db),
          refresh(db), registration(db.impl().registry, &Registry::users, this)
    {
    }
    void connectionClosing() override { self.close(); }

    bool editing() const { return state == State::Edit || state == State::Insert; }
    Values stored(int row) const { return rows.rowValues(row); }
    QHash<QString, QVariant> writeParams(const Values &current, const Values &old) const;
    int runWrite(Statement &statement, const QHash<QString, QVariant> &params); // rows affected
    std::optional<Values> reread(const Values &current, const Values &old);
    void setRow(int row, const Values &values);
    void removeRow(int row);
    void requireOpen() const;
    int requireField(const QString &name) const;

    DataSet &self;
    Transaction &readTr;
    Transaction &writeTr;
    Statement select, insert, update, remove, refresh;
    QHash<QString, QVariant> selectParams; // keys upper case
    bool autoCommit = false;
    bool refreshAfterPost = false;
    bool refreshAfterDelete = false;
    std::function<void(DataSet &)> onNewRecord;

    RowSet rows;
    State state = State::Inactive;
    int current = -1;
    Values buffer; // the current row's values while editing or inserting
    bool modified = false;
    Registration<ConnectionUser> registration;
};

namespace {

// An empty text is written as NULL.
Values forWriting(Values values)
{
    for (QVariant &v : values)
        if (v.typeId() == QMetaType::QString && v.toString().isEmpty())
            v = QVariant();
    return values;
}

QString textOf(const QVariant &v)
{
    return v.isNull() ? QString() : v.toString();
}

} // namespace

QHash<QString, QVariant> DataSet::Impl::writeParams(const Values &current, const Values &old) const
{
    QHash<QString, QVariant> params;
    const auto &fields = rows.layout.fields;
    for (int i = 0; i < fields.size(); ++i) {
        const QString name = fields[i].name.toUpper();
        params.insert(name, current[i]);
        params.insert("OLD_" + name, old[i]);
    }
    return params;
}

int DataSet::Impl::runWrite(Statement &statement, const QHash<QString, QVariant> &params)
{
    try {
        const int affected = statement.run(writeTr, params, true).affected;
        if (autoCommit)
            writeTr.commit();
        return affected;
    } catch (const Error &) {
        if (autoCommit)
            rollbackAfterFailure(writeTr);
        throw;
    }
}

// Reads the row again through the refresh statement: in the write transaction while it
// still holds uncommitted work (only it sees that), otherwise in the read transaction.
// Columns the refresh does not return keep their values.
std::optional<Values> DataSet::Impl::reread(const Values &current, const Values &old)
{
    if (refresh.isEmpty())
        return std::nullopt;
    Transaction &tr = writeTr.isActive() ? writeTr : readTr;
    const Statement::Result result = refresh.run(tr, writeParams(current, old), true);
    if (result.rows.rowCount() == 0)
        return std::nullopt;
    Values merged = current;
    const auto &columns = result.rows.layout.columns;
    for (int c = 0; c < columns.size(); ++c) {
        const int field = self.fieldIndex(columns[c].name);
        if (field >= 0)
            merged[field] = result.rows.value(0, c);
    }
    return merged;
}

void DataSet::Impl::setRow(int row, const Values &values)
{
    rows.rows[size_t(row)] = Row{{}, values};
}

void DataSet::Impl::removeRow(int row)
{
    rows.rows.erase(rows.rows.begin() + row);
    emit self.rowRemoved(row);
    current = rows.rowCount() == 0 ? -1 : std::min(row, rows.rowCount() - 1);
    emit self.currentRowChanged(current);
}

void DataSet::Impl::requireOpen() const
{
    if (state == State::Inactive)
        throw Error(Error::Kind::General, "Dataset is not open: " + select.sql().simplified());
}

int DataSet::Impl::requireField(const QString &name) const
{
    const int index = self.fieldIndex(name);
    if (index < 0)
        throw Error(Error::Kind::General, QString("Field \"%1\" not found in: %2").arg(name, select.sql().simplified()));
    return index;
}

DataSet::DataSet(Database &db, Transaction &readTransaction, Transaction &writeTransaction, QObject *parent)
    : QObject(parent), db_(db), d_(std::make_unique<Impl>(*this, db, readTransaction, writeTransaction))
{
}

DataSet::~DataSet() = default;

void DataSet::setSelectSql(const QString &sql) { d_->select.setSql(sql); }
void DataSet::setInsertSql(const QString &sql) { d_->insert.setSql(sql); }
void DataSet::setUpdateSql(const QString &sql) { d_->update.setSql(sql); }
void DataSet::setDeleteSql(const QString &sql) { d_->remove.setSql(sql); }
void DataSet::setRefreshSql(const QString &sql) { d_->refresh.setSql(sql); }
QString DataSet::selectSql() const { return d_->select.sql(); }
void DataSet::setParam(const QString &name, const QVariant &value) { d_->selectParams.insert(name.toUpper(), value); }
void DataSet::setAutoCommit(bool on) { d_->autoCommit = on; }
void DataSet::setRefreshAfterPost(bool on) { d_->refreshAfterPost = on; }
void DataSet::setRefreshAfterDelete(bool on) { d_->refreshAfterDelete = on; }
void DataSet::setOnNewRecord(std::function<void(DataSet &)> hook) { d_->onNewRecord = std::move(hook); }

bool DataSet::canModify() const
{
    return !d_->insert.isEmpty() || !d_->update.isEmpty() || !d_->remove.isEmpty();
}

void DataSet::open()
{
    if (isOpen())
        return;
    d_->select.requireKnownNames(d_->selectParams.keys());
    Statement::Result result = d_->select.run(d_->readTr, d_->selectParams, true);
    d_->rows = std::move(result.rows);
    d_->state = State::Browse;
    d_->current = d_->rows.rowCount() > 0 ? 0 : -1;
    emit rowsReset();
    emit stateChanged(d_->state);
    emit currentRowChanged(d_->current);
    emit opened();
}

void DataSet::close()
{
    if (!isOpen())
        return;
    d_->state = State::Inactive;
    d_->rows = RowSet{};
    d_->current = -1;
    d_->buffer.clear();
    d_->modified = false;
    emit stateChanged(d_->state);
    emit rowsReset();
    emit currentRowChanged(-1);
    emit closed();
}

bool DataSet::isOpen() const { return d_->state != State::Inactive; }
DataSet::State DataSet::state() const { return d_->state; }
const QVector<Field> &DataSet::fields() const { return d_->rows.layout.fields; }

int DataSet::fieldIndex(const QString &name) const
{
    return d_->rows.layout.indexOf(name);
}

int DataSet::rowCount() const { return d_->rows.rowCount(); }
int DataSet::currentRow() const { return d_->current; }

void DataSet::setCurrentRow(int row)
{
    if (!isOpen() || row == d_->current)
        return;
    const int before = rowCount();
    const int from = d_->current;
    checkBrowseMode();
    if (rowCount() < before && row > from)
        --row; // the unchanged new row above the target was dropped
    row = rowCount() == 0 ? -1 : std::clamp(row, 0, rowCount() - 1);
    if (row == d_->current)
        return;
    d_->current = row;
    emit currentRowChanged(row);
}

void DataSet::first() { setCurrentRow(0); }
void DataSet::prior() { setCurrentRow(std::max(0, d_->current - 1)); }
void DataSet::next() { setCurrentRow(std::min(rowCount() - 1, d_->current + 1)); }
void DataSet::last() { setCurrentRow(rowCount() - 1); }

QVariant DataSet::value(int row, int field) const
{
    if (row < 0 || row >= rowCount() || field < 0 || field >= fields().size())
        return {};
    if (row == d_->current && d_->editing())
        return d_->buffer[field];
    return d_->rows.value(row, field);
}

QVariant DataSet::fieldValue(const QString &name) const
{
    return value(d_->current, d_->requireField(name));
}

QString DataSet::fieldText(const QString &name) const
{
    return textOf(fieldValue(name));
}

QVariant DataSet::oldValue(const QString &name) const
{
    const int field = d_->requireField(name);
    if (d_->current < 0)
        return {};
    return d_->rows.value(d_->current, field);
}

void DataSet::setFieldValue(int field, const QVariant &value)
{
    if (!d_->editing())
        throw Error(Error::Kind::General, "Dataset not in edit or insert mode: " + d_->select.sql().simplified());
    if (field < 0 || field >= fields().size())
        throw Error(Error::Kind::General, QString("Field index %1 out of range").arg(field));
    d_->buffer[field] = value;
    d_->modified = true;
    emit rowChanged(d_->current);
}

void DataSet::setFieldValue(const QString &name, const QVariant &value)
{
    setFieldValue(d_->requireField(name), value);
}

bool DataSet::isModified() const { return d_->modified; }

void DataSet::insert()
{
    d_->requireOpen();
    checkBrowseMode();
    const int row = d_->current < 0 ? 0 : d_->current;
    const Values empty(fields().size());
    d_->rows.rows.insert(d_->rows.rows.begin() + row, Row{{}, empty});
    d_->current = row;
    d_->buffer = empty;
    d_->state = State::Insert;
    emit rowInserted(row);
    emit currentRowChanged(row);
    emit stateChanged(d_->state);
    if (d_->onNewRecord)
        d_->onNewRecord(*this);
    d_->modified = false; // defaults of a new row are no change of the user's
}

void DataSet::edit()
{
    d_->requireOpen();
    if (d_->editing())
        return;
    if (isEmpty()) {
        insert();
        return;
    }
    d_->buffer = d_->stored(d_->current);
    d_->modified = false;
    d_->state = State::Edit;
    emit stateChanged(d_->state);
}

void DataSet::post()
{
    if (!d_->editing())
        return;
    const bool inserting = d_->state == State::Insert;
    Statement &statement = inserting ? d_->insert : d_->update;
    if (statement.isEmpty())
        throw Error(Error::Kind::General, QString("No %1 statement for: %2")
                                              .arg(inserting ? "insert" : "update", d_->select.sql().simplified()));
    const Values current = forWriting(d_->buffer);
    // A new row has no values as read: its key as typed finds it again.
    const Values old = inserting ? current : d_->stored(d_->current);
    // On failure the row stays in its state, with what was typed.
    const int affected = d_->runWrite(statement, d_->writeParams(current, old));
    // An update that found no row stored nothing; saying so keeps the change from being
    // taken for saved when the row was deleted meanwhile or its key was never read back.
    if (!inserting && affected == 0)
        throw Error(Error::Kind::General,
                    "The change was not saved: the database has no row with this row's key any more. "
                    "Cancel, refresh and enter the change again.");
    const int row = d_->current;
    d_->setRow(row, current);
    d_->buffer.clear();
    d_->modified = false;
    d_->state = State::Browse;
    emit stateChanged(d_->state);
    emit rowChanged(row);
    if (d_->refreshAfterPost) {
        if (const auto reread = d_->reread(current, old)) {
            d_->setRow(row, *reread);
            emit rowChanged(row);
        }
    }
}

void DataSet::cancel()
{
    if (!d_->editing())
        return;
    const bool inserting = d_->state == State::Insert;
    d_->state = State::Browse;
    d_->buffer.clear();
    d_->modified = false;
    if (inserting)
        d_->removeRow(d_->current);
    else
        emit rowChanged(d_->current);
    emit stateChanged(d_->state);
}

void DataSet::remove()
{
    d_->requireOpen();
    if (d_->state == State::Insert) {
        cancel();
        return;
    }
    cancel();
    if (isEmpty())
        throw Error(Error::Kind::General, "Cannot delete from an empty dataset: " + d_->select.sql().simplified());
    if (d_->remove.isEmpty())
        throw Error(Error::Kind::General, "No delete statement for: " + d_->select.sql().simplified());
    const int row = d_->current;
    const Values old = d_->stored(row);
    d_->runWrite(d_->remove, d_->writeParams(old, old));
    if (d_->refreshAfterDelete) {
        // The row leaves only when the database no longer has it.
        if (const auto reread = d_->reread(old, old)) {
            d_->setRow(row, *reread);
            emit rowChanged(row);
            return;
        }
    }
    d_->removeRow(row);
}

void DataSet::refresh()
{
    d_->requireOpen();
    checkBrowseMode();
    if (d_->current < 0)
        return;
    const Values old = d_->stored(d_->current);
    if (const auto reread = d_->reread(old, old)) {
        d_->setRow(d_->current, *reread);
        emit rowChanged(d_->current);
    }
}

void DataSet::checkBrowseMode()
{
    if (!d_->editing())
        return;
    if (d_->modified)
        post();
    else
        cancel();
}

bool DataSet::locate(const QString &field, const QString &value)
{
    d_->requireOpen();
    const int index = d_->requireField(field);
    checkBrowseMode();
    for (int row = 0; row < rowCount(); ++row) {
        if (textOf(d_->rows.value(row, index)) == value) {
            setCurrentRow(row);
            return true;
        }
    }
    return false;
}

} // namespace fb
