#pragma once

#include "ErrorGuard.h"
#include "GridColumn.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <optional>

namespace fb {
class DataSet;
}

namespace widgets {

class DataSource;

// What the grid models share: cells that show a field of one dataset row, and edits
// that go into the dataset's edit buffer (only when editable). A subclass says which
// row and column an index shows.
class DataCellModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataCellModel(DataSource *source, QObject *parent = nullptr);

    DataSource *dataSource() const { return source_.data(); }

    void setEditable(bool on);
    bool isEditable() const { return editable_; }
    // Where errors of an edit (a failed post when the cursor moves, a refused value) go.
    void setErrorReporter(ErrorReporter report) { report_ = std::move(report); }

    // Typing has begun in a cell: enter Edit state on its row. False when refused.
    bool beginEdit(const QModelIndex &index);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

protected:
    struct Cell {
        int row; // in the dataset
        ShownColumn column;
    };
    virtual std::optional<Cell> cellAt(const QModelIndex &index) const = 0;
    fb::DataSet *dataSet() const;

    QPointer<DataSource> source_;

private:
    bool editable_ = false;
    ErrorReporter report_;
};

} // namespace widgets
