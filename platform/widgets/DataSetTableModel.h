#pragma once

#include "DataCellModel.h"
#include "RowFilter.h"

#include "fb/DataSet.h"


namespace widgets {

class DataSource;

// A table model that reads its rows straight from the dataset of a data source (no
// copy) and follows the dataset's signals. Columns are every field of the dataset, or
// the visible entries of an explicit column list. With a search text set, only the rows
// containing it are shown (a list of matching row numbers kept inside the model).
// In editable mode setData writes into the dataset's edit buffer (Edit or Insert state);
// the row is posted by the dataset, like any other edit.
class DataSetTableModel : public DataCellModel {
    Q_OBJECT
public:
    explicit DataSetTableModel(DataSource *source, QObject *parent = nullptr);

    // Empty: one text column per field, titled with the field name, in select order.
    void setColumns(const GridColumns &columns);
    const GridColumns &columns() const { return columns_; }

    // Case-insensitive substring over the visible text columns; empty shows every row.
    void setFilterText(const QString &text);
    QString filterText() const { return filter_.text(); }

    int dataSetRow(int modelRow) const;   // -1 when out of range
    int modelRow(int dataSetRow) const;   // -1 when filtered out or out of range
    int fieldIndex(int column) const;     // the dataset field shown in a column
    ColumnKind columnKind(int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // What the row indicator shows for the current row in each state.
    static QString rowMarker(fb::DataSet::State state);

protected:
    std::optional<Cell> cellAt(const QModelIndex &index) const override;

private:
    void connectSource();
    void rebuild();
    QString searchText(int dataSetRow) const;
    RowFilter::RowText searchTextFunction() const;
    void onRowChanged(int row);
    void onRowInserted(int row);
    void onRowRemoved(int row);
    void onCurrentRowChanged(int row);
    void markRow(int dataSetRow);

    GridColumns columns_;
    QVector<ShownColumn> shown_;
    RowFilter filter_;
    int markedRow_ = -1; // the row whose indicator was drawn last
    // Rows announced to views while no search is active. The dataset changes before it
    // signals, so the model counts for itself and changes the count only inside the
    // begin/end notifications.
    int announcedRows_ = 0;
};

} // namespace widgets
