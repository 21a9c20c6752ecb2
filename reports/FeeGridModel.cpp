#include "FeeGridModel.h"

#include "fb/DataSet.h"

#include <QDate>
#include <QLocale>
#include <cmath>

FeeGridModel::FeeGridModel(fb::DataSet &dataSet, QList<Column> columns, QObject *parent)
    : QAbstractTableModel(parent)
    , dataSet_(dataSet)
    , columns_(std::move(columns))
{
    resetFromDataSet();
    // Opening and closing replace the whole row set; the grid then reads it anew.
    connect(&dataSet_, &fb::DataSet::rowsReset, this, &FeeGridModel::resetFromDataSet);
    connect(&dataSet_, &fb::DataSet::currentRowChanged, this, [this](int) {
        emit headerDataChanged(Qt::Vertical, 0, std::max(0, rowCount() - 1));
    });
}

void FeeGridModel::resetFromDataSet()
{
    beginResetModel();
    fieldIndexes_.clear();
    for (const Column &column : columns_)
        fieldIndexes_ << dataSet_.fieldIndex(column.field);
    endResetModel();
}

int FeeGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : dataSet_.rowCount();
}

int FeeGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QString FeeGridModel::displayText(const QVariant &value, bool thousands)
{
    if (!value.isValid() || value.isNull())
        return {};
    const QLocale locale;
    if (thousands)
        return locale.toString(qlonglong(std::llround(value.toDouble())));
    if (value.typeId() == QMetaType::QDate)
        return locale.toString(value.toDate(), QLocale::ShortFormat);
    return value.toString();
}

QVariant FeeGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int field = fieldIndexes_.at(index.column());
    if (role == Qt::TextAlignmentRole)
        return columns_.at(index.column()).thousands ? int(Qt::AlignRight | Qt::AlignVCenter)
                                                     : int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole || field < 0)
        return {};
    return displayText(dataSet_.value(index.row(), field), columns_.at(index.column()).thousands);
}

QVariant FeeGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section < columnCount() ? columns_.at(section).field : QVariant();
    // The row indicator marks the dataset's current row.
    return section == dataSet_.currentRow() ? QStringLiteral("\u25B6") : QString();
}
