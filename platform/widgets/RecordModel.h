#pragma once

#include "ErrorGuard.h"
#include "GridColumn.h"

#include <QAbstractTableModel>
#include <QPointer>

namespace widgets {

class DataSource;

// The current record of a data source's dataset turned on its side: one row per field,
// one value column; the vertical header carries the field names. Nothing is shown while
// the dataset is closed. Edits go into the dataset's edit buffer of the current row.
class RecordModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordModel(DataSource *source, QObject *parent = nullptr);

    // Empty: every field as text. Otherwise the visible entries, in list order.
    void setFields(const GridColumns &fields);
    void setEditable(bool on);
    bool isEditable() const { return editable_; }
    void setErrorReporter(ErrorReporter report) { report_ = std::move(report); }

    int fieldIndex(int row) const;
    ColumnKind rowKind(int row) const;
    bool beginEdit(const QModelIndex &index);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void rebuild();
    void refreshValues();
    int currentRow() const; // -1 when there is no record to show

    QPointer<DataSource> source_;
    GridColumns fields_;
    QVector<ShownColumn> shown_;
    bool editable_ = false;
    ErrorReporter report_;
};

} // namespace widgets
