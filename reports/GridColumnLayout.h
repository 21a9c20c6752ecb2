#pragma once

#include <QString>

class QHeaderView;

// A grid's column layout (order and widths) as one line of text, so that a form storage
// can keep it: "FIELD:width" per column in shown order, joined with ";". Columns are named
// by the model's header text, so a stored layout still fits when columns move in code.
namespace gridlayout {

QString columnLayout(const QHeaderView &header);

// Applies a stored layout: each named column goes to its stored place with its stored
// width. Unknown names and malformed entries are skipped; widths are kept within
// 10 to 2000 px so a damaged store cannot hide a column or build a monster.
void applyColumnLayout(QHeaderView &header, const QString &layout);

} // namespace gridlayout
