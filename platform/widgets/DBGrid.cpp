#include "DBGrid.h"

#include "CellDelegate.h"
#include "DataSetTableModel.h"
#include "DataSource.h"
#include "GridTableView.h"
#include "fb/DataSet.h"

#include <QLineEdit>
#include <QShortcut>
#include <QVBoxLayout>

namespace widgets {

using fb::DataSet;

DBGrid::DBGrid(QWidget *parent)
    : QWidget(parent)
    , searchBox_(new QLineEdit(this))
    , view_(new GridTableView(this))
    , confirmDelete_(defaultDeleteConfirmation(this))
    , report_(defaultErrorReporter(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(searchBox_);
    layout->addWidget(view_);
    searchBox_->setPlaceholderText(tr("Search"));
    searchBox_->setClearButtonEnabled(true);
    searchBox_->hide();
    setFocusProxy(view_);

    auto *find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
    find->setContext(Qt::WidgetWithChildrenShortcut);
    connect(find, &QShortcut::activated, this, &DBGrid::focusSearchBox);
    connect(searchBox_, &QLineEdit::textChanged, this, &DBGrid::onSearchTextChanged);
    connect(view_, &GridTableView::deleteRequested, this, [this] { deleteCurrentRecord(); });
    connect(view_, &GridTableView::focusLeft, this, &DBGrid::onFocusLeft);
    connect(view_->cellDelegate(), &CellDelegate::editStarted, this, [this](const QModelIndex &index) {
        if (model_)
            model_->beginEdit(index);
    });
    makeModel();
}

void DBGrid::setDataSource(DataSource *source)
{
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    if (source) {
        connect(source, &DataSource::currentRowChanged, this, &DBGrid::followDataSet);
        connect(source, &DataSource::updateRecordRequested, this, [this] {
            view_->cellDelegate()->commitEditor(view_->indexWidget(view_->currentIndex()));
        });
        connect(source, &DataSource::discardRequested, this, [this] {
            view_->cellDelegate()->discardEditor(view_->indexWidget(view_->currentIndex()));
        });
    }
    makeModel();
}

void DBGrid::setColumns(const GridColumns &columns)
{
    columns_ = columns;
    if (model_)
        model_->setColumns(columns);
}

void DBGrid::setErrorReporter(ErrorReporter report)
{
    report_ = std::move(report);
    if (model_)
        model_->setErrorReporter(report_);
}

// The model belongs to one data source; a new source gets a new model.
void DBGrid::makeModel()
{
    auto *old = model_;
    model_ = new DataSetTableModel(source_, this);
    model_->setColumns(columns_);
    model_->setErrorReporter(report_);
    model_->setFilterText(searchBox_->text());
    QItemSelectionModel *oldSelection = view_->selectionModel();
    view_->setModel(model_);
    delete oldSelection; // the view does not free the selection model it replaces
    delete old;
    connect(model_, &QAbstractItemModel::modelReset, this, &DBGrid::followDataSet);
    connect(model_, &QAbstractItemModel::rowsInserted, this, &DBGrid::followDataSet);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &DBGrid::followDataSet);
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &DBGrid::onViewRowChanged);
    applyOptions();
    followDataSet();
}

void DBGrid::setEditing(bool on)
{
    editing_ = on;
    applyOptions();
}

void DBGrid::setRowSelect(bool on)
{
    rowSelect_ = on;
    applyOptions();
}

void DBGrid::applyOptions()
{
    model_->setEditable(editing_);
    view_->setEditTriggers(editing_ ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                                          | QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked
                                    : QAbstractItemView::NoEditTriggers);
    view_->setSelectionBehavior(rowSelect_ ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    // Reselect so the highlight matches the new behaviour at once.
    const QModelIndex current = view_->currentIndex();
    if (current.isValid())
        view_->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect
                                                              | (rowSelect_ ? QItemSelectionModel::Rows
                                                                            : QItemSelectionModel::NoUpdate));
}

void DBGrid::setSearchPanelVisible(bool on)
{
    searchBox_->setVisible(on);
    if (!on)
        searchBox_->clear();
}

bool DBGrid::isSearchPanelVisible() const
{
    return !searchBox_->isHidden();
}

void DBGrid::focusSearchBox()
{
    if (!isSearchPanelVisible())
        return;
    searchBox_->setFocus(Qt::ShortcutFocusReason);
    searchBox_->selectAll();
}

// Puts the view's current cell on the dataset's current row, keeping the column.
void DBGrid::followDataSet()
{
    const DataSet *ds = source_ ? source_->dataSet() : nullptr;
    const int row = ds && ds->isOpen() ? model_->modelRow(ds->currentRow()) : -1;
    const QModelIndex current = view_->currentIndex();
    if (row == current.row() && current.isValid())
        return;
    following_ = true;
    if (row < 0) {
        view_->selectionModel()->clearCurrentIndex();
        view_->clearSelection();
    } else {
        const QModelIndex target = model_->index(row, std::max(0, current.column()));
        view_->setCurrentIndex(target);
        view_->scrollTo(target);
    }
    following_ = false;
}

// The user moved to another row: move the dataset's cursor there. Moving finishes an
// edit; when that post fails the view goes back to the row still being edited.
void DBGrid::onViewRowChanged(const QModelIndex &current)
{
    if (following_ || !source_ || !source_->dataSet() || !current.isValid())
        return;
    DataSet &ds = *source_->dataSet();
    const int row = model_->dataSetRow(current.row());
    if (row < 0 || row == ds.currentRow())
        return;
    if (!runGuarded(report_, [&] { ds.setCurrentRow(row); }))
        QMetaObject::invokeMethod(this, &DBGrid::followDataSet, Qt::QueuedConnection);
}

void DBGrid::onSearchTextChanged(const QString &text)
{
    model_->setFilterText(text);
    // A browsing cursor moves to the first row shown when its own row was filtered out.
    DataSet *ds = source_ ? source_->dataSet() : nullptr;
    if (!ds || !ds->isOpen() || ds->state() != DataSet::State::Browse || model_->rowCount() == 0)
        return;
    if (model_->modelRow(ds->currentRow()) < 0)
        runGuarded(report_, [&] { ds->setCurrentRow(model_->dataSetRow(0)); });
}

bool DBGrid::deleteCurrentRecord()
{
    DataSet *ds = source_ ? source_->dataSet() : nullptr;
    if (!ds || !ds->isOpen() || ds->isEmpty() || !ds->canModify())
        return false;
    if (!(confirmDelete_ && confirmDelete_()))
        return false;
    return runGuarded(report_, [&] { ds->remove(); }); // a row being inserted is just dropped
}

// Leaving the grid drops a new row nobody typed into.
void DBGrid::onFocusLeft(QWidget *newFocus)
{
    if (isAncestorOf(newFocus))
        return;
    DataSet *ds = source_ ? source_->dataSet() : nullptr;
    if (ds && ds->state() == DataSet::State::Insert && !ds->isModified())
        runGuarded(report_, [&] { ds->cancel(); });
}

} // namespace widgets
