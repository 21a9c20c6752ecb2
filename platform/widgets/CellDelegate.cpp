#include "CellDelegate.h"

#include "CellValue.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QStyle>

namespace widgets {

bool CellDelegate::isFlag(const QModelIndex &index)
{
    return index.data(cell::KindRole).toInt() == int(ColumnKind::Flag);
}

QWidget *CellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line)
        return editor;
    if (index.data(cell::KindRole).toInt() == int(ColumnKind::Password))
        line->setEchoMode(QLineEdit::Password);
    const QPersistentModelIndex where(index);
    auto *self = const_cast<CellDelegate *>(this);
    connect(line, &QLineEdit::textEdited, self, [self, where] {
        if (where.isValid())
            emit self->editStarted(where);
    });
    return editor;
}

void CellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor); line && line->isModified())
        return;
    QStyledItemDelegate::setEditorData(editor, index);
}

void CellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (line && !line->isModified())
        return; // nothing typed: an unchanged cell must not start an edit
    QStyledItemDelegate::setModelData(editor, model, index);
    if (line)
        line->setModified(false);
}

void CellDelegate::commitEditor(QWidget *editor)
{
    if (editor)
        emit commitData(editor);
}

void CellDelegate::discardEditor(QWidget *editor)
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setModified(false);
    if (editor)
        emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void CellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (!isFlag(index))
        return QStyledItemDelegate::paint(painter, option, index);

    // The background and selection as for any cell, then a check box in the middle.
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    QStyleOptionButton box;
    const int side = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget);
    box.rect = QRect(option.rect.center().x() - side / 2, option.rect.center().y() - side / 2, side, side);
    box.state = QStyle::State_Enabled;
    switch (cell::flagState(index.data(Qt::EditRole))) {
    case Qt::Checked:
        box.state |= QStyle::State_On;
        break;
    case Qt::Unchecked:
        box.state |= QStyle::State_Off;
        break;
    default:
        box.state |= QStyle::State_NoChange;
        break;
    }
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
}

void CellDelegate::toggleFlag(QAbstractItemModel *model, const QModelIndex &index)
{
    const bool ticked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    model->setData(index, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

bool CellDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                               const QModelIndex &index)
{
    if (!isFlag(index))
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    if (!(index.flags() & Qt::ItemIsUserCheckable))
        return false;
    // A click anywhere in the cell ticks or clears it: the box is small, the cell is not.
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || !option.rect.contains(mouse->position().toPoint()))
            return false;
        toggleFlag(model, index);
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick)
        return true; // the second click of a double click toggles too; the editor must not open
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space) {
        toggleFlag(model, index);
        return true;
    }
    return false;
}

} // namespace widgets

