#include "DataCellModel.h"

#include "CellValue.h"
#include "DataSource.h"

namespace widgets {

DataCellModel::DataCellModel(DataSource *source, QObject *parent)
    : QAbstractTableModel(parent)
    , source_(source)
{
}

fb::DataSet *DataCellModel::dataSet() const
{
    return source_ ? source_->dataSet() : nullptr;
}

void DataCellModel::setEditable(bool on)
{
    if (editable_ == on)
        return;
    editable_ = on;
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

QVariant DataCellModel::data(const QModelIndex &index, int role) const
{
    const auto cell = cellAt(index);
    if (!cell)
        return {};
    return cell::data(*dataSet(), cell->row, cell->column.field, cell->column.kind, role);
}

bool DataCellModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const auto c = cellAt(index);
    if (!editable_ || !c || !cell::acceptsRole(c->column.kind, role))
        return false;
    fb::DataSet &ds = *dataSet();
    return runGuarded(report_, [&] { cell::write(ds, c->row, c->column.field, c->column.kind, value, role); });
}

bool DataCellModel::beginEdit(const QModelIndex &index)
{
    const auto c = cellAt(index);
    if (!editable_ || !c)
        return false;
    fb::DataSet &ds = *dataSet();
    return runGuarded(report_, [&] { cell::beginEdit(ds, c->row); });
}

Qt::ItemFlags DataCellModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const auto c = cellAt(index);
    if (!editable_ || !c)
        return f;
    return f | (c->column.kind == ColumnKind::Flag ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable);
}

} // namespace widgets
