#pragma once

#include "ErrorGuard.h"
#include "GridColumn.h"
#include "RowFilter.h"

#include "fb/DataSet.h"

#include <QAbstractTableModel>
#include <QPointer>

namespace widgets {

class DataSource;

// A table model that reads its rows straight from the dataset of a data source (no
// copy) and follows the dataset's signals. Columns are every field of the dataset, or
// the visible entries of an explicit column list. With a search text set, only the rows
// containing it are shown (a list of matching row numbers kept inside the model).
// In editable mode setData writes into the dataset's edit buffer (Edit or Insert state);
// the row is posted by the dataset, like any other edit.
class DataSetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSetTableModel(DataSource *source, QObject *parent = nullptr);

    DataSource *dataSource() const { return source_.data(); }

    // Empty: one text column per field, titled with the field name, in select order.
    void setColumns(const GridColumns &columns);
    const GridColumns &columns() const { return columns_; }

    void setEditable(bool on);
    bool isEditable() const { return editable_; }

    // Where errors of an edit (a failed post when the cursor moves, a refused value) go.
    void setErrorReporter(ErrorReporter report) { report_ = std::move(report); }

    // Case-insensitive substring over the visible text columns; empty shows every row.
    void setFilterText(const QString &text);
    QString filterText() const { return filter_.text(); }

    int dataSetRow(int modelRow) const;   // -1 when out of range
    int modelRow(int dataSetRow) const;   // -1 when filtered out or out of range
    int fieldIndex(int column) const;     // the dataset field shown in a column
    ColumnKind columnKind(int column) const;

    // Typing has begun in a cell: enter Edit state on its row. False when refused.
    bool beginEdit(const QModelIndex &index);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // What the row indicator shows for the current row in each state.
    static QString rowMarker(fb::DataSet::State state);

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

    QPointer<DataSource> source_;
    GridColumns columns_;
    QVector<ShownColumn> shown_;
    bool editable_ = false;
    ErrorReporter report_;
    RowFilter filter_;
    int markedRow_ = -1; // the row whose indicator was drawn last
    // Rows announced to views while no search is active. The dataset changes before it
    // signals, so the model counts for itself and changes the count only inside the
    // begin/end notifications.
    int announcedRows_ = 0;
};

} // namespace widgets
