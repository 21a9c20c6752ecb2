#pragma once

#include "DataCellModel.h"


namespace widgets {

class DataSource;

// The current record of a data source's dataset turned on its side: one row per field,
// one value column; the vertical header carries the field names. Nothing is shown while
// the dataset is closed. Edits go into the dataset's edit buffer of the current row.
class RecordModel : public DataCellModel {
    Q_OBJECT
public:
    explicit RecordModel(DataSource *source, QObject *parent = nullptr);

    // Empty: every field as text. Otherwise the visible entries, in list order.
    void setFields(const GridColumns &fields);

    int fieldIndex(int row) const;
    ColumnKind rowKind(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

protected:
    std::optional<Cell> cellAt(const QModelIndex &index) const override;

private:
    void rebuild();
    void refreshValues();
    int currentRow() const; // -1 when there is no record to show

    GridColumns fields_;
    QVector<ShownColumn> shown_;
};

} // namespace widgets
