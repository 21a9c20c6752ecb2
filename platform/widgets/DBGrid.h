#pragma once

#include "DeleteConfirmation.h"
#include "ErrorGuard.h"
#include "GridColumn.h"

#include <QPointer>
#include <QWidget>

class QLineEdit;

namespace widgets {

class DataSetTableModel;
class DataSource;
class GridTableView;

// A grid over the dataset of a data source, with an optional search box above it.
// Two options decide its mode: editing (cells editable, typing enters Edit state) and
// row select (whole rows selected). Browse mode is row select without editing, edit
// mode the reverse; only these two options change between the modes.
// The grid's current row and the dataset's cursor follow each other.
class DBGrid : public QWidget {
    Q_OBJECT
public:
    explicit DBGrid(QWidget *parent = nullptr);

    void setDataSource(DataSource *source);
    DataSource *dataSource() const { return source_.data(); }
    // Empty (the default): one column per field.
    void setColumns(const GridColumns &columns);

    void setEditing(bool on);
    bool isEditing() const { return editing_; }
    void setRowSelect(bool on);
    bool rowSelect() const { return rowSelect_; }

    void setSearchPanelVisible(bool on);
    bool isSearchPanelVisible() const;

    void setDeleteConfirmation(DeleteConfirmation confirm) { confirmDelete_ = std::move(confirm); }
    void setErrorReporter(ErrorReporter report);

    QLineEdit *searchBox() const { return searchBox_; }
    GridTableView *view() const { return view_; }
    DataSetTableModel *model() const { return model_; }

    // Ctrl+Delete: asks "Delete record?" and deletes the current row. False when refused
    // or failed.
    bool deleteCurrentRecord();

private:
    void makeModel();
    void applyOptions();
    void followDataSet();
    void onViewRowChanged(const QModelIndex &current);
    void onSearchTextChanged(const QString &text);
    void onFocusLeft(QWidget *newFocus);
    void focusSearchBox();

    QPointer<DataSource> source_;
    GridColumns columns_;
    QLineEdit *searchBox_;
    GridTableView *view_;
    DataSetTableModel *model_ = nullptr;
    bool editing_ = false;
    bool rowSelect_ = true;
    bool following_ = false; // set while the view is moved to the dataset's cursor
    DeleteConfirmation confirmDelete_;
    ErrorReporter report_;
};

} // namespace widgets
