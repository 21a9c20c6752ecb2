#pragma once

#include "MessageLayout.h"

#include <QByteArray>
#include <QVariant>
#include <QVector>
#include <vector>

namespace fb {

// One row: either the raw output message as fetched (compact, decoded on demand) or,
// once it was written, re-read or holds blobs, its decoded values.
struct Row {
    QByteArray raw;
    QVector<QVariant> values;
};

// Rows fetched by one statement, with the layout that decodes them.
struct RowSet {
    MessageLayout layout;
    std::vector<Row> rows;
    bool trimChar = false;

    int rowCount() const { return int(rows.size()); }
    QVariant value(int row, int column) const
    {
        const Row &r = rows[size_t(row)];
        if (!r.values.isEmpty())
            return r.values[column];
        return layout.value(r.raw.constData(), column, trimChar);
    }
    QVector<QVariant> rowValues(int row) const
    {
        QVector<QVariant> out(layout.columns.size());
        for (int c = 0; c < out.size(); ++c)
            out[c] = value(row, c);
        return out;
    }
};

} // namespace fb
