#pragma once

#include "ErrorGuard.h"
#include "GridColumn.h"

#include <QPointer>
#include <QTableView>

namespace widgets {

class DataSource;
class RecordModel;
class CellDelegate;

// The current record of a data source shown as rows: one row per field, labelled with
// the field name in a label column. With editing on (the default) the editor of the
// current row is always open, so typing goes straight into the record; Tab moves
// between rows.
class DBVerticalGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr int LabelWidth = 175;

    explicit DBVerticalGrid(QWidget *parent = nullptr);

    void setDataSource(DataSource *source);
    DataSource *dataSource() const { return source_.data(); }
    // Empty: every field as a text row. Flag rows are check boxes over "1" and "0".
    void setFields(const GridColumns &fields);

    void setEditing(bool on);
    bool isEditing() const { return editing_; }
    void setErrorReporter(ErrorReporter report);

    RecordModel *recordModel() const { return model_; }

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void makeModel();
    void showEditor();

    QPointer<DataSource> source_;
    GridColumns fields_;
    RecordModel *model_ = nullptr;
    CellDelegate *delegate_;
    bool editing_ = true;
    QPersistentModelIndex editorAt_; // where the always-shown editor is open
    ErrorReporter report_;
};

} // namespace widgets
