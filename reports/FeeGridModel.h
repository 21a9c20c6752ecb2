#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>

namespace fb {
class DataSet;
}

// A read-only table over the rows an fb::DataSet holds, showing the listed fields in
// order. Whole numbers marked thousands are shown with the locale's group separators and
// no decimals ("#,0"); dates in the locale's short format; a null as an empty cell.
class FeeGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString field;
        bool thousands = false; // "#,0"
    };

    FeeGridModel(fb::DataSet &dataSet, QList<Column> columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const QString &fieldOf(int column) const { return columns_.at(column).field; }
    // The shown text of a value under the column's format.
    static QString displayText(const QVariant &value, bool thousands);

private:
    void resetFromDataSet();

    fb::DataSet &dataSet_;
    QList<Column> columns_;
    QList<int> fieldIndexes_; // dataset field per column, -1 when the dataset lacks it
};
