#pragma once

#include <QStyledItemDelegate>

namespace widgets {

// Draws and edits the cells of the data grids: flag cells as a check box that a click
// or the space bar ticks or clears (when the model allows it), password cells with an
// editor that masks what is typed, and every text editor reports the first keystroke
// so the dataset can enter Edit state while the user types.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

signals:
    void editStarted(const QModelIndex &index);

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

private:
    static bool isFlag(const QModelIndex &index);
    static void toggleFlag(QAbstractItemModel *model, const QModelIndex &index);
};

} // namespace widgets
