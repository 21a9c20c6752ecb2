#pragma once

#include <QString>
#include <QVariant>

namespace fb {

// One column of a result set, as the statement's metadata describes it.
struct Field {
    enum class Type { Text, FixedText, SmallInt, Integer, BigInt, Numeric, Float, Double, Date, Time, Timestamp, Blob, Boolean, Other };

    QString name;      // alias as returned by the statement (upper case for unquoted names)
    Type type = Type::Other;
    int length = 0;    // characters for text, bytes otherwise
    int scale = 0;     // decimal places for Numeric (positive number)
    bool nullable = true;

    bool isText() const { return type == Type::Text || type == Type::FixedText; }
};

// Values travel as QVariant: an invalid/null QVariant is SQL NULL; text is QString;
// SmallInt/Integer as int, BigInt as qlonglong, Numeric as double (scale applied),
// Date as QDate, Time as QTime, Timestamp as QDateTime, Blob as QByteArray.

} // namespace fb
