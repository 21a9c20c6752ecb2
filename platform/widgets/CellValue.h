#pragma once

#include "GridColumn.h"

#include <QVariant>

namespace fb {
class DataSet;
struct Field;
} // namespace fb

// What a data cell shows for each item role, and how an edit reaches the dataset. Shared
// by the table model (one row per record) and the record model (one row per field).
namespace widgets::cell {

// Item role that tells a delegate the column kind (an int of ColumnKind).
constexpr int KindRole = Qt::UserRole + 1;

// The value as one line of text, as shown and as searched (NULL gives "").
QString text(const fb::Field &field, const QVariant &value);

// Flags: ticked for "1", clear for "0", grayed for anything else (empty included).
Qt::CheckState flagState(const QVariant &value);
// What ticking or clearing writes: "1" / "0", as a number for numeric columns.
QVariant flagValue(bool ticked, const fb::Field &field);

// What a password cell shows: a fixed run of bullets (so not even the length shows),
// nothing for an empty value.
QString passwordMask(const QVariant &value);

// The data of one cell for an item role (display, edit, check state, alignment).
QVariant data(const fb::DataSet &dataSet, int row, int field, ColumnKind kind, int role);

// Whether a role may be written for a column kind.
bool acceptsRole(ColumnKind kind, int role);

// Writes an edit: puts the cursor on the row (which finishes an edit elsewhere), enters
// Edit state when browsing and stores the value in the edit buffer. Throws fb::Error.
void write(fb::DataSet &dataSet, int row, int field, ColumnKind kind, const QVariant &value, int role);

// Enters Edit state on the row when browsing (typing has begun). Throws fb::Error.
void beginEdit(fb::DataSet &dataSet, int row);

} // namespace widgets::cell
