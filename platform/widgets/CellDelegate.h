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
    // Leaves an editor the user has typed into alone: the dataset redraws the row when it
    // enters Edit state, which must not wipe out the keystroke that started it.
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

    // Writes an open editor's text into the model now (before a post from elsewhere).
    void commitEditor(QWidget *editor);
    // Forgets what was typed into an open editor (before a cancel) and closes it.
    void discardEditor(QWidget *editor);

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
