#include "DBVerticalGrid.h"

#include "CellDelegate.h"
#include "DataSource.h"
#include "RecordModel.h"

#include <QHeaderView>

namespace widgets {

DBVerticalGrid::DBVerticalGrid(QWidget *parent)
    : QTableView(parent)
    , delegate_(new CellDelegate(this))
    , report_(defaultErrorReporter(this))
{
    setItemDelegate(delegate_);
    setShowGrid(true);
    setTabKeyNavigation(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    // The label column: the field names, left aligned, a fixed width.
    verticalHeader()->setFixedWidth(LabelWidth);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    connect(delegate_, &CellDelegate::editStarted, this, [this](const QModelIndex &index) {
        if (model_)
            model_->beginEdit(index);
    });
    makeModel();
    setEditing(editing_);
}

void DBVerticalGrid::setDataSource(DataSource *source)
{
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    if (source) {
        connect(source, &DataSource::updateRecordRequested, this, [this] {
            delegate_->commitEditor(indexWidget(currentIndex()));
        });
        connect(source, &DataSource::discardRequested, this, [this] {
            delegate_->discardEditor(indexWidget(currentIndex()));
        });
    }
    makeModel();
}

void DBVerticalGrid::setFields(const GridColumns &fields)
{
    fields_ = fields;
    model_->setFields(fields);
}

void DBVerticalGrid::setErrorReporter(ErrorReporter report)
{
    report_ = std::move(report);
    model_->setErrorReporter(report_);
}

void DBVerticalGrid::makeModel()
{
    auto *old = model_;
    model_ = new RecordModel(source_, this);
    model_->setFields(fields_);
    model_->setErrorReporter(report_);
    model_->setEditable(editing_);
    QItemSelectionModel *oldSelection = selectionModel();
    setModel(model_);
    delete oldSelection; // the view does not free the selection model it replaces
    delete old;
    // A reset closes every editor; the always-shown one opens again on the first row.
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        editorAt_ = QPersistentModelIndex();
        setCurrentIndex(model_->index(0, 0));
        showEditor();
    });
    connect(model_, &QAbstractItemModel::dataChanged, this, [this] {
        // Editable flags follow the record (none while the dataset is empty).
        if (!editorAt_.isValid())
            showEditor();
    });
    setCurrentIndex(model_->index(0, 0));
    showEditor();
}

void DBVerticalGrid::setEditing(bool on)
{
    editing_ = on;
    model_->setEditable(on);
    setEditTriggers(on ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
    showEditor();
}

// Keeps one editor open on the current row while editing is on; flag rows need none
// (a click or the space bar ticks them).
void DBVerticalGrid::showEditor()
{
    const QModelIndex current = currentIndex();
    if (editorAt_.isValid() && editorAt_ != current) {
        closePersistentEditor(editorAt_);
        editorAt_ = QPersistentModelIndex();
    }
    if (!editing_) {
        if (editorAt_.isValid())
            closePersistentEditor(editorAt_);
        editorAt_ = QPersistentModelIndex();
        return;
    }
    if (!current.isValid() || editorAt_.isValid() || !(current.flags() & Qt::ItemIsEditable))
        return;
    openPersistentEditor(current);
    editorAt_ = current;
    if (QWidget *editor = indexWidget(current); editor && hasFocus())
        editor->setFocus();
}

void DBVerticalGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    showEditor();
}

// Tab and Backtab move between rows (one value column), not across columns.
QModelIndex DBVerticalGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    if (cursorAction == MoveNext)
        cursorAction = MoveDown;
    else if (cursorAction == MovePrevious)
        cursorAction = MoveUp;
    return QTableView::moveCursor(cursorAction, modifiers);
}

} // namespace widgets
