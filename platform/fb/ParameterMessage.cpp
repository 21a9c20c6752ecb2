#include "ParameterMessage.h"

#include "Client.h"
#include "Codec.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <cmath>
#include <cstring>
#include <limits>

namespace fb {

namespace {

constexpr qint64 iscDateEpoch = 2400001; // Julian day of ISC_DATE 0
constexpr int maxVarcharBytes = 32765;

// One value as it will lie in the message.
struct Encoded {
    unsigned type = SQL_VARYING;
    int scale = 0;
    unsigned length = 0;
    bool null = false;
    qint64 integer = 0;
    double real = 0;
    QDate date;
    QTime time;
    QByteArray text;
};

bool isTextType(unsigned t) { return t == SQL_TEXT || t == SQL_VARYING; }

QString textOf(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::QDate: return v.toDate().toString(Qt::ISODate);
    case QMetaType::QTime: return v.toTime().toString("HH:mm:ss.zzz");
    case QMetaType::QDateTime: return v.toDateTime().toString("yyyy-MM-dd HH:mm:ss.zzz");
    case QMetaType::Double: return QString::number(v.toDouble(), 'g', 17);
    default: return v.toString();
    }
}

Encoded asText(const QVariant &v)
{
    Encoded e;
    e.text = v.typeId() == QMetaType::QByteArray ? v.toByteArray() : toClientText(textOf(v));
    if (e.text.size() > maxVarcharBytes)
        throw Error(Error::Kind::General, QString("Parameter value too long (%1 bytes)").arg(e.text.size()));
    e.type = SQL_VARYING;
    e.length = unsigned(std::max<qsizetype>(e.text.size(), 1));
    return e;
}

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Double: case QMetaType::Float:
    case QMetaType::Bool: case QMetaType::Long: case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

// An exact integer at the parameter's scale; false when the value is no number.
bool toScaledInteger(const QVariant &v, int scale, qint64 &out)
{
    bool ok = false;
    if (scale == 0 && v.typeId() != QMetaType::Double && v.typeId() != QMetaType::Float) {
        out = isNumber(v) ? v.toLongLong(&ok) : v.toString().trimmed().toLongLong(&ok);
        if (ok)
            return true;
    }
    const double d = isNumber(v) ? v.toDouble(&ok) : v.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return false;
    const double s = std::round(d * std::pow(10.0, -scale));
    if (std::fabs(s) >= 9.2e18)
        return false;
    out = qint64(s);
    return true;
}

Encoded encode(unsigned declared, int scale, unsigned length, const QVariant &v)
{
    Encoded e;
    if (v.isNull()) {
        e.type = declared;
        e.scale = scale;
        e.length = length;
        e.null = true;
        return e;
    }
    const int id = v.typeId();
    switch (declared) {
    case SQL_SHORT: case SQL_LONG: case SQL_INT64:
        if (toScaledInteger(v, scale, e.integer)) {
            e.type = SQL_INT64, e.scale = scale, e.length = 8;
            return e;
        }
        break;
    case SQL_FLOAT: case SQL_DOUBLE: case SQL_D_FLOAT: {
        bool ok = false;
        e.real = isNumber(v) ? v.toDouble(&ok) : v.toString().trimmed().toDouble(&ok);
        if (ok) {
            e.type = SQL_DOUBLE, e.length = 8;
            return e;
        }
        break;
    }
    case SQL_TYPE_DATE: case SQL_TYPE_TIME: case SQL_TIMESTAMP:
        if (id == QMetaType::QDate || id == QMetaType::QDateTime || id == QMetaType::QTime) {
            e.type = declared;
            e.length = declared == SQL_TIMESTAMP ? 8 : 4;
            e.date = id == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
            e.time = id == QMetaType::QDateTime ? v.toDateTime().time() : v.toTime();
            if ((declared != SQL_TYPE_TIME && !e.date.isValid()) || (declared == SQL_TYPE_TIME && !e.time.isValid()))
                break;
            return e;
        }
        break;
    case SQL_BOOLEAN:
        if (isNumber(v)) {
            e.type = SQL_BOOLEAN, e.length = 1, e.integer = v.toBool() ? 1 : 0;
            return e;
        }
        break;
    default:
        break;
    }
    return asText(v);
}

template <class T> void put(char *p, T v) { std::memcpy(p, &v, sizeof v); }

ISC_TIME iscTime(const QTime &t) { return ISC_TIME(t.isValid() ? t.msecsSinceStartOfDay() * 10 : 0); }
ISC_DATE iscDate(const QDate &d) { return ISC_DATE(d.toJulianDay() - iscDateEpoch); }

void write(char *p, const Encoded &e)
{
    switch (e.type) {
    case SQL_VARYING:
        put(p, quint16(e.text.size()));
        std::memcpy(p + 2, e.text.constData(), size_t(e.text.size()));
        break;
    case SQL_INT64: put(p, e.integer); break;
    case SQL_DOUBLE: put(p, e.real); break;
    case SQL_TYPE_DATE: put(p, iscDate(e.date)); break;
    case SQL_TYPE_TIME: put(p, iscTime(e.time)); break;
    case SQL_TIMESTAMP: put(p, ISC_TIMESTAMP{iscDate(e.date), iscTime(e.time)}); break;
    case SQL_BOOLEAN: put(p, char(e.integer)); break;
    default: break;
    }
}

} // namespace

ParameterMessage::~ParameterMessage()
{
    client::releaseRef(metadata_);
}

void ParameterMessage::build(Firebird::IMessageMetadata *declared, const QVector<QVariant> &values,
                             client::Status &status)
{
    auto *st = status.get();
    client::Ref<Firebird::IMetadataBuilder> builder(declared->getBuilder(st));
    QVector<Encoded> encoded;
    for (unsigned i = 0; i < unsigned(values.size()) && !status.failed(); ++i) {
        const unsigned type = declared->getType(st, i) & ~1u;
        Encoded e = encode(type, declared->getScale(st, i), declared->getLength(st, i), values[int(i)]);
        if (e.type != type) {
            builder->setType(st, i, e.type | 1u);
            builder->setSubType(st, i, 0);
            if (!isTextType(type))
                builder->setCharSet(st, i, 0);
        }
        builder->setScale(st, i, e.scale);
        builder->setLength(st, i, e.length);
        encoded << e;
    }
    if (status.failed())
        return;
    metadata_ = builder->getMetadata(st);
    if (status.failed())
        return;
    buffer_ = QByteArray(int(metadata_->getMessageLength(st)), '\0');
    for (unsigned i = 0; i < unsigned(encoded.size()) && !status.failed(); ++i) {
        char *msg = buffer_.data();
        put(msg + metadata_->getNullOffset(st, i), short(encoded[int(i)].null ? -1 : 0));
        if (!encoded[int(i)].null)
            write(msg + metadata_->getOffset(st, i), encoded[int(i)]);
    }
}

} // namespace fb
