#include "RecordModel.h"

#include "CellValue.h"
#include "DataSource.h"

namespace widgets {

using fb::DataSet;

RecordModel::RecordModel(DataSource *source, QObject *parent)
    : DataCellModel(source, parent)
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

std::optional<DataCellModel::Cell> RecordModel::cellAt(const QModelIndex &index) const
{
    const int row = currentRow();
    if (row < 0 || !index.isValid() || index.column() != 0 || index.row() >= shown_.size())
        return std::nullopt;
    return Cell{row, shown_[index.row()]};
}

QVariant RecordModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Vertical || section < 0 || section >= shown_.size())
        return {};
    return shown_[section].title;
}

} // namespace widgets
