#pragma once

#include <QString>
#include <QVector>

namespace widgets {

// How a column's value is shown and edited.
enum class ColumnKind {
    Text,     // the value as text
    Flag,     // a check box over "1" (ticked) and "0" (clear); anything else is grayed
    Password, // plain text in the dataset, drawn masked so it cannot be read on screen
};

// One column of a grid over a dataset. Hidden columns stay in the dataset (the write
// statements still get their values); they are just not shown.
struct GridColumn {
    QString fieldName;
    QString title;      // empty: the field name
    bool visible = true;
    ColumnKind kind = ColumnKind::Text;

    QString displayTitle() const { return title.isEmpty() ? fieldName : title; }
};

using GridColumns = QVector<GridColumn>;

} // namespace widgets

namespace fb {
class DataSet;
}

namespace widgets {

// A column as resolved against an open dataset.
struct ShownColumn {
    int field;
    ColumnKind kind;
    QString title;
};

// The columns to show: every field as text when the list is empty, otherwise the visible
// entries whose field the dataset has, in list order. Empty while the dataset is closed.
QVector<ShownColumn> shownColumns(const fb::DataSet *dataSet, const GridColumns &columns);

} // namespace widgets
