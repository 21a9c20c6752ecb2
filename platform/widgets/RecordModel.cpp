#include "RecordModel.h"

#include "CellValue.h"
#include "DataSource.h"

namespace widgets {

using fb::DataSet;

RecordModel::RecordModel(DataSource *source, QObject *parent)
    : QAbstractTableModel(parent)
    , source_(source)
{
    if (source_) {
        connect(source_, &DataSource::dataSetChanged, this, &RecordModel::rebuild);
        connect(source_, &DataSource::rowsReset, this, &RecordModel::rebuild);
        connect(source_, &DataSource::currentRowChanged, this, &RecordModel::refreshValues);
        connect(source_, &DataSource::rowChanged, this, [this](int row) {
            if (row == currentRow())
                refreshValues();
        });
        connect(source_, &DataSource::rowInserted, this, &RecordModel::refreshValues);
        connect(source_, &DataSource::rowRemoved, this, &RecordModel::refreshValues);
        connect(source_, &DataSource::stateChanged, this, [this](DataSet::State state) {
            if ((state == DataSet::State::Inactive) != shown_.isEmpty())
                rebuild();
            else
                refreshValues();
        });
    }
    rebuild();
}

void RecordModel::setFields(const GridColumns &fields)
{
    fields_ = fields;
    rebuild();
}

void RecordModel::setEditable(bool on)
{
    if (editable_ == on)
        return;
    editable_ = on;
    refreshValues();
}

void RecordModel::rebuild()
{
    beginResetModel();
    shown_ = shownColumns(source_ ? source_->dataSet() : nullptr, fields_);
    endResetModel();
}

void RecordModel::refreshValues()
{
    if (!shown_.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

int RecordModel::currentRow() const
{
    const DataSet *ds = source_ ? source_->dataSet() : nullptr;
    return ds && ds->isOpen() ? ds->currentRow() : -1;
}

int RecordModel::fieldIndex(int row) const
{
    return row >= 0 && row < shown_.size() ? shown_[row].field : -1;
}

ColumnKind RecordModel::rowKind(int row) const
{
    return row >= 0 && row < shown_.size() ? shown_[row].kind : ColumnKind::Text;
}

int RecordModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(shown_.size());
}

int RecordModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant RecordModel::data(const QModelIndex &index, int role) const
{
    const int row = currentRow();
    if (row < 0 || !index.isValid() || index.row() >= shown_.size())
        return {};
    const ShownColumn &f = shown_[index.row()];
    return cell::data(*source_->dataSet(), row, f.field, f.kind, role);
}

bool RecordModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const int row = currentRow();
    if (!editable_ || row < 0 || !index.isValid() || index.row() >= shown_.size())
        return false;
    const ShownColumn &f = shown_[index.row()];
    if (!cell::acceptsRole(f.kind, role))
        return false;
    DataSet &ds = *source_->dataSet();
    return runGuarded(report_, [&] { cell::write(ds, row, f.field, f.kind, value, role); });
}

bool RecordModel::beginEdit(const QModelIndex &index)
{
    const int row = currentRow();
    if (!editable_ || row < 0 || !index.isValid())
        return false;
    DataSet &ds = *source_->dataSet();
    return runGuarded(report_, [&] { cell::beginEdit(ds, row); });
}

Qt::ItemFlags RecordModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!editable_ || currentRow() < 0)
        return f;
    return f | (rowKind(index.row()) == ColumnKind::Flag ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable);
}

QVariant RecordModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Vertical || section < 0 || section >= shown_.size())
        return {};
    return shown_[section].title;
}

} // namespace widgets
