#pragma once

#include <QTableView>

namespace widgets {

class CellDelegate;

// The table part of the data grid: keyboard rules (Enter acts as Tab, Ctrl+Delete asks
// to delete), the selection kept visible without focus, and notice when focus leaves.
class GridTableView : public QTableView {
    Q_OBJECT
public:
    explicit GridTableView(QWidget *parent = nullptr);

    CellDelegate *cellDelegate() const { return delegate_; }

signals:
    void deleteRequested();
    // Focus went to a widget outside the given container (set by the owner).
    void focusLeft(QWidget *newFocus);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void moveAsTab();

    CellDelegate *delegate_;
};

} // namespace widgets
