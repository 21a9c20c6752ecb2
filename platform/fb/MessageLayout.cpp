#include "MessageLayout.h"

#include "Client.h"
#include "Codec.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <cmath>
#include <cstring>

namespace fb {

namespace {

template <class T> T read(const char *p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// ISC_DATE counts days from 17 November 1858 (Julian day 2400001).
constexpr qint64 iscDateEpoch = 2400001;
// ISC_TIME counts 1/10000 of a second.
constexpr int iscTimeUnitsPerMs = 10;

QDate decodeDate(ISC_DATE d) { return QDate::fromJulianDay(d + iscDateEpoch); }
QTime decodeTime(ISC_TIME t) { return QTime::fromMSecsSinceStartOfDay(int(t / iscTimeUnitsPerMs)); }

QVariant scaled(qint64 raw, int scale, Field::Type type)
{
    if (type == Field::Type::Numeric)
        return double(raw) / std::pow(10.0, -scale);
    if (type == Field::Type::BigInt)
        return qlonglong(raw);
    return int(raw);
}

QString decodeFixedText(const char *p, unsigned length, bool trim)
{
    if (trim)
        while (length > 0 && p[length - 1] == ' ')
            --length;
    return fromClientText(QByteArrayView(p, length));
}

} // namespace

Field::Type fieldTypeOf(unsigned sqlType, int scale)
{
    switch (sqlType) {
    case SQL_TEXT: return Field::Type::FixedText;
    case SQL_VARYING: return Field::Type::Text;
    case SQL_SHORT: return scale < 0 ? Field::Type::Numeric : Field::Type::SmallInt;
    case SQL_LONG: return scale < 0 ? Field::Type::Numeric : Field::Type::Integer;
    case SQL_INT64: return scale < 0 ? Field::Type::Numeric : Field::Type::BigInt;
    case SQL_FLOAT: return Field::Type::Float;
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return Field::Type::Double;
    case SQL_TYPE_DATE: return Field::Type::Date;
    case SQL_TYPE_TIME: return Field::Type::Time;
    case SQL_TIMESTAMP: return Field::Type::Timestamp;
    case SQL_BLOB: return Field::Type::Blob;
    case SQL_BOOLEAN: return Field::Type::Boolean;
    default: return Field::Type::Other;
    }
}

MessageLayout MessageLayout::describe(Firebird::IMessageMetadata *meta, client::Status &status)
{
    MessageLayout layout;
    const unsigned count = meta->getCount(status.get());
    for (unsigned i = 0; i < count && !status.failed(); ++i) {
        auto *st = status.get();
        Column c;
        c.sqlType = meta->getType(st, i) & ~1u;
        c.subType = meta->getSubType(st, i);
        c.length = meta->getLength(st, i);
        c.scale = meta->getScale(st, i);
        c.offset = meta->getOffset(st, i);
        c.nullOffset = meta->getNullOffset(st, i);
        QString alias = fromClientText(meta->getAlias(st, i));
        c.name = alias.isEmpty() ? fromClientText(meta->getField(st, i)) : alias;
        c.field.name = c.name;
        c.field.type = fieldTypeOf(c.sqlType, c.scale);
        c.field.length = int(c.length);
        c.field.scale = c.scale < 0 ? -c.scale : 0;
        c.field.nullable = meta->isNullable(st, i);
        layout.hasBlobs = layout.hasBlobs || c.sqlType == SQL_BLOB;
        layout.columns << c;
        layout.fields << c.field;
    }
    if (!status.failed())
        layout.length = meta->getMessageLength(status.get());
    return layout;
}

int MessageLayout::indexOf(const QString &name) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool MessageLayout::isNull(const char *message, int column) const
{
    return read<short>(message + columns[column].nullOffset) != 0;
}

QVariant MessageLayout::value(const char *message, int column, bool trimChar) const
{
    if (isNull(message, column))
        return {};
    const Column &c = columns[column];
    const char *p = message + c.offset;
    switch (c.sqlType) {
    case SQL_TEXT: return decodeFixedText(p, c.length, trimChar);
    case SQL_VARYING: return fromClientText(QByteArrayView(p + 2, read<quint16>(p)));
    case SQL_SHORT: return scaled(read<qint16>(p), c.scale, c.field.type);
    case SQL_LONG: return scaled(read<qint32>(p), c.scale, c.field.type);
    case SQL_INT64: return scaled(read<qint64>(p), c.scale, c.field.type);
    case SQL_FLOAT: return double(read<float>(p));
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return read<double>(p);
    case SQL_TYPE_DATE: return decodeDate(read<ISC_DATE>(p));
    case SQL_TYPE_TIME: return decodeTime(read<ISC_TIME>(p));
    case SQL_TIMESTAMP: {
        const auto ts = read<ISC_TIMESTAMP>(p);
        return QDateTime(decodeDate(ts.timestamp_date), decodeTime(ts.timestamp_time));
    }
    case SQL_BOOLEAN: return read<unsigned char>(p) != 0;
    default: return {};
    }
}

} // namespace fb
