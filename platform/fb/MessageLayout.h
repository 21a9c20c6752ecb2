#pragma once

#include "Field.h"

#include <QVector>
#include <firebird/Interface.h>

namespace fb {

namespace client { class Status; }

// Where and how one value lies in a message buffer, from the statement's metadata.
struct Column {
    QString name;
    unsigned sqlType = 0; // without the nullable bit
    int subType = 0;
    unsigned length = 0;  // bytes
    int scale = 0;        // as Firebird gives it (negative for decimals)
    unsigned offset = 0;
    unsigned nullOffset = 0;
    Field field;
};

// The shape of an output message: every column with its place in the buffer.
class MessageLayout {
public:
    // Reads the metadata; errors are left in the status for the caller to check.
    static MessageLayout describe(Firebird::IMessageMetadata *meta, client::Status &status);

    QVector<Column> columns;
    QVector<Field> fields;
    unsigned length = 0;
    bool hasBlobs = false;

    // Column by name regardless of case; -1 when absent.
    int indexOf(const QString &name) const;
    bool isNull(const char *message, int column) const;
    // Decodes one value (blobs excepted: their content is read while fetching).
    // trimChar: CHAR values lose their trailing blanks.
    QVariant value(const char *message, int column, bool trimChar) const;
};

Field::Type fieldTypeOf(unsigned sqlType, int scale);

} // namespace fb
