#include "CellValue.h"

#include "fb/DataSet.h"

#include <QDateTime>

namespace widgets::cell {

namespace {

bool isNumeric(fb::Field::Type type)
{
    using T = fb::Field::Type;
    return type == T::SmallInt || type == T::Integer || type == T::BigInt || type == T::Numeric
        || type == T::Float || type == T::Double;
}

} // namespace

QString text(const fb::Field &field, const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return {};
    if (field.type == fb::Field::Type::Numeric)
        return QString::number(value.toDouble(), 'f', field.scale);
    if (field.type == fb::Field::Type::Date)
        return value.toDate().toString(Qt::ISODate);
    if (field.type == fb::Field::Type::Timestamp)
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return value.toString();
}

Qt::CheckState flagState(const QVariant &value)
{
    const QString s = value.isNull() ? QString() : value.toString().trimmed();
    if (s == QLatin1String("1"))
        return Qt::Checked;
    if (s == QLatin1String("0"))
        return Qt::Unchecked;
    return Qt::PartiallyChecked;
}

QVariant flagValue(bool ticked, const fb::Field &field)
{
    if (field.isText())
        return ticked ? QStringLiteral("1") : QStringLiteral("0");
    return ticked ? 1 : 0;
}

QString passwordMask(const QVariant &value)
{
    if (value.isNull() || value.toString().isEmpty())
        return {};
    return QString(8, QChar(0x2022));
}

QVariant data(const fb::DataSet &dataSet, int row, int field, ColumnKind kind, int role)
{
    const fb::Field &f = dataSet.fields().at(field);
    switch (role) {
    case Qt::DisplayRole:
        if (kind == ColumnKind::Flag)
            return {};
        if (kind == ColumnKind::Password)
            return passwordMask(dataSet.value(row, field));
        return text(f, dataSet.value(row, field));
    case Qt::EditRole:
        // The plain value: password editors mask it themselves.
        return kind == ColumnKind::Flag ? dataSet.value(row, field) : QVariant(text(f, dataSet.value(row, field)));
    case Qt::CheckStateRole:
        if (kind == ColumnKind::Flag)
            return flagState(dataSet.value(row, field));
        return {};
    case Qt::TextAlignmentRole:
        if (kind == ColumnKind::Text && isNumeric(f.type))
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    case KindRole:
        return int(kind);
    default:
        return {};
    }
}

bool acceptsRole(ColumnKind kind, int role)
{
    return kind == ColumnKind::Flag ? role == Qt::CheckStateRole : role == Qt::EditRole;
}

void beginEdit(fb::DataSet &dataSet, int row)
{
    if (dataSet.currentRow() != row)
        dataSet.setCurrentRow(row);
    if (dataSet.state() == fb::DataSet::State::Browse)
        dataSet.edit();
}

void write(fb::DataSet &dataSet, int row, int field, ColumnKind kind, const QVariant &value, int role)
{
    if (kind == ColumnKind::Flag && role == Qt::CheckStateRole) {
        beginEdit(dataSet, row);
        const bool ticked = value.toInt() == Qt::Checked;
        dataSet.setFieldValue(field, flagValue(ticked, dataSet.fields().at(field)));
        return;
    }
    // Leaving an editor without a change must not start an edit.
    const bool editing = dataSet.state() != fb::DataSet::State::Browse && dataSet.currentRow() == row;
    if (!editing && value.toString() == text(dataSet.fields().at(field), dataSet.value(row, field)))
        return;
    beginEdit(dataSet, row);
    dataSet.setFieldValue(field, value);
}

} // namespace widgets::cell
