#include "GridTableView.h"

#include "CellDelegate.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>

namespace widgets {

GridTableView::GridTableView(QWidget *parent)
    : QTableView(parent)
    , delegate_(new CellDelegate(this))
{
    setItemDelegate(delegate_);
    setShowGrid(true);
    setTabKeyNavigation(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    // The row indicator column: narrow, showing only the current row's marker.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(18);

    // The selected row stays highlighted when the grid loses focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
}

void GridTableView::moveAsTab()
{
    const QModelIndex next = moveCursor(QAbstractItemView::MoveNext, Qt::NoModifier);
    if (next.isValid())
        setCurrentIndex(next);
}

void GridTableView::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (ctrl && event->key() == Qt::Key_Delete) {
        emit deleteRequested();
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && state() != EditingState) {
        moveAsTab();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

// Enter in an editor commits the cell and moves on, as Tab does.
void GridTableView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (hint != QAbstractItemDelegate::SubmitModelCache)
        return QTableView::closeEditor(editor, hint);
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    moveAsTab();
}

void GridTableView::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    // Switching windows or opening a popup is not leaving the grid.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (QWidget *next = QApplication::focusWidget())
        emit focusLeft(next);
}

} // namespace widgets
