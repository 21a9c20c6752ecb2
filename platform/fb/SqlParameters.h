#pragma once

#include <QString>
#include <QStringList>

namespace fb {

// A statement text with its named parameters (":NAME", and "?NAME" as written in stored
// procedure calls) replaced by positional "?" markers. String literals, quoted
// identifiers and comments are left alone. names[i] is the (upper-cased) name of the
// i-th marker; the same name may appear more than once.
struct PositionalSql {
    QString sql;
    QStringList names;
};

PositionalSql toPositional(const QString &sql);

} // namespace fb
