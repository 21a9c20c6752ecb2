#include "GridColumn.h"

#include "fb/DataSet.h"

namespace widgets {

QVector<ShownColumn> shownColumns(const fb::DataSet *dataSet, const GridColumns &columns)
{
    QVector<ShownColumn> shown;
    if (!dataSet || !dataSet->isOpen())
        return shown;
    if (columns.isEmpty()) {
        const auto &fields = dataSet->fields();
        for (int i = 0; i < fields.size(); ++i)
            shown.append({i, ColumnKind::Text, fields[i].name});
        return shown;
    }
    for (const GridColumn &c : columns) {
        const int field = dataSet->fieldIndex(c.fieldName);
        if (c.visible && field >= 0)
            shown.append({field, c.kind, c.displayTitle()});
    }
    return shown;
}

} // namespace widgets
