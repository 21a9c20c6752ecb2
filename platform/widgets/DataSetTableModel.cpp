#include "DataSetTableModel.h"

#include "CellValue.h"
#include "DataSource.h"

namespace widgets {

using fb::DataSet;

DataSetTableModel::DataSetTableModel(DataSource *source, QObject *parent)
    : DataCellModel(source, parent)
{
    connectSource();
    rebuild();
}

void DataSetTableModel::connectSource()
{
    if (!source_)
        return;
    connect(source_, &DataSource::dataSetChanged, this, &DataSetTableModel::rebuild);
    connect(source_, &DataSource::rowsReset, this, &DataSetTableModel::rebuild);
    connect(source_, &DataSource::rowChanged, this, &DataSetTableModel::onRowChanged);
    connect(source_, &DataSource::rowInserted, this, &DataSetTableModel::onRowInserted);
    connect(source_, &DataSource::rowRemoved, this, &DataSetTableModel::onRowRemoved);
    connect(source_, &DataSource::currentRowChanged, this, &DataSetTableModel::onCurrentRowChanged);
    connect(source_, &DataSource::stateChanged, this, [this](DataSet::State state) {
        // Opening or closing without a row reset still changes the columns; any other
        // state change only changes the row indicator.
        const DataSet *ds = source_->dataSet();
        if ((state == DataSet::State::Inactive) != shown_.isEmpty())
            rebuild();
        else
            markRow(ds ? ds->currentRow() : -1);
    });
}

void DataSetTableModel::setColumns(const GridColumns &columns)
{
    columns_ = columns;
    rebuild();
}

void DataSetTableModel::rebuild()
{
    beginResetModel();
    const DataSet *ds = source_ ? source_->dataSet() : nullptr;
    shown_ = shownColumns(ds, columns_);
    const int rows = shown_.isEmpty() ? 0 : ds->rowCount();
    announcedRows_ = rows;
    filter_.invalidate();
    if (filter_.isActive())
        filter_.reapply(rows, searchTextFunction());
    markedRow_ = ds ? ds->currentRow() : -1;
    endResetModel();
}

QString DataSetTableModel::searchText(int dataSetRow) const
{
    // Flags and passwords are not searched: a password must not be findable by typing it.
    const DataSet &ds = *source_->dataSet();
    QString joined;
    for (const ShownColumn &c : shown_) {
        if (c.kind != ColumnKind::Text)
            continue;
        joined += cell::text(ds.fields().at(c.field), ds.value(dataSetRow, c.field));
        joined += RowFilter::columnSeparator;
    }
    return joined;
}

RowFilter::RowText DataSetTableModel::searchTextFunction() const
{
    return [this](int row) { return searchText(row); };
}

void DataSetTableModel::setFilterText(const QString &text)
{
    if (text == filter_.text())
        return;
    beginResetModel();
    filter_.setText(text, announcedRows_, searchTextFunction());
    endResetModel();
}

int DataSetTableModel::dataSetRow(int modelRow) const
{
    if (modelRow < 0 || modelRow >= rowCount())
        return -1;
    return filter_.isActive() ? filter_.sourceRow(modelRow) : modelRow;
}

int DataSetTableModel::modelRow(int dataSetRow) const
{
    if (shown_.isEmpty() || dataSetRow < 0 || dataSetRow >= announcedRows_)
        return -1;
    return filter_.isActive() ? filter_.indexOf(dataSetRow) : dataSetRow;
}

int DataSetTableModel::fieldIndex(int column) const
{
    return column >= 0 && column < shown_.size() ? shown_[column].field : -1;
}

ColumnKind DataSetTableModel::columnKind(int column) const
{
    return column >= 0 && column < shown_.size() ? shown_[column].kind : ColumnKind::Text;
}

int DataSetTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || shown_.isEmpty())
        return 0;
    return filter_.isActive() ? filter_.count() : announcedRows_;
}

int DataSetTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(shown_.size());
}

std::optional<DataCellModel::Cell> DataSetTableModel::cellAt(const QModelIndex &index) const
{
    const int row = dataSetRow(index.row());
    if (row < 0 || index.column() < 0 || index.column() >= shown_.size())
        return std::nullopt;
    return Cell{row, shown_[index.column()]};
}

QString DataSetTableModel::rowMarker(DataSet::State state)
{
    switch (state) {
    case DataSet::State::Edit:
        return QStringLiteral("I");
    case DataSet::State::Insert:
        return QStringLiteral("*");
    default:
        return QString(QChar(0x25B6)); // a right-pointing triangle
    }
}

QVariant DataSetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < shown_.size() ? QVariant(shown_[section].title) : QVariant();
    const DataSet *ds = source_ ? source_->dataSet() : nullptr;
    if (!ds || dataSetRow(section) != ds->currentRow() || dataSetRow(section) < 0)
        return QString();
    return rowMarker(ds->state());
}

void DataSetTableModel::onRowChanged(int row)
{
    filter_.rowChanged(row, searchTextFunction());
    const int shownRow = modelRow(row);
    if (shownRow >= 0 && !shown_.isEmpty())
        emit dataChanged(index(shownRow, 0), index(shownRow, columnCount() - 1));
}

void DataSetTableModel::onRowInserted(int row)
{
    if (shown_.isEmpty())
        return rebuild();
    const int at = filter_.isActive() ? filter_.countBefore(row) : row;
    // The dataset already holds the row; announcing it afterwards keeps views in step.
    beginInsertRows({}, at, at);
    filter_.rowInserted(row, searchTextFunction());
    ++announcedRows_;
    endInsertRows();
}

void DataSetTableModel::onRowRemoved(int row)
{
    if (shown_.isEmpty())
        return;
    // The dataset no longer holds the row, so its place is found without asking it.
    const int at = filter_.isActive() ? filter_.indexOf(row) : row;
    if (at < 0) {
        filter_.rowRemoved(row);
        --announcedRows_;
        return;
    }
    beginRemoveRows({}, at, at);
    filter_.rowRemoved(row);
    --announcedRows_;
    endRemoveRows();
}

void DataSetTableModel::onCurrentRowChanged(int row)
{
    markRow(row);
}

// Redraws the row indicator of the previously and the newly current row.
void DataSetTableModel::markRow(int dataSetRow)
{
    const int previous = modelRow(markedRow_);
    markedRow_ = dataSetRow;
    const int current = modelRow(dataSetRow);
    if (previous >= 0)
        emit headerDataChanged(Qt::Vertical, previous, previous);
    if (current >= 0)
        emit headerDataChanged(Qt::Vertical, current, current);
}

} // namespace widgets
