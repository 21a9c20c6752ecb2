#include "TextTemplate.h"

#include "ReportError.h"
#include "ValueFormat.h"

#include <QRegularExpression>

namespace report {

TextTemplate TextTemplate::parse(const QString &text)
{
    TextTemplate result;
    int pos = 0;
    while (pos < text.size()) {
        const int open = text.indexOf(QLatin1Char('['), pos);
        const int close = open < 0 ? -1 : text.indexOf(QLatin1Char(']'), open);
        if (open < 0 || close < 0) {
            result.segments_.append({Kind::Literal, text.mid(pos), {}, {}});
            break;
        }
        if (open > pos)
            result.segments_.append({Kind::Literal, text.mid(pos, open - pos), {}, {}});
        result.segments_.append(parseExpression(text.mid(open + 1, close - open - 1)));
        pos = close + 1;
    }
    return result;
}

static QString unquote(QString name)
{
    name = name.trimmed();
    if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
        name = name.mid(1, name.size() - 2);
    return name;
}

TextTemplate::Segment TextTemplate::parseExpression(const QString &expression)
{
    const QString body = expression.trimmed();
    Segment segment{Kind::Invalid, expression, {}, {}};
    if (body.compare(QLatin1String("Page"), Qt::CaseInsensitive) == 0
        || body.compare(QLatin1String("Page#"), Qt::CaseInsensitive) == 0) {
        segment.kind = Kind::Page;
        return segment;
    }
    if (body.compare(QLatin1String("Date"), Qt::CaseInsensitive) == 0) {
        segment.kind = Kind::Date;
        return segment;
    }
    if (body.compare(QLatin1String("Time"), Qt::CaseInsensitive) == 0) {
        segment.kind = Kind::Time;
        return segment;
    }
    static const QRegularExpression sum(QStringLiteral("^SUM\\s*\\((.*)\\)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto sumMatch = sum.match(body);
    const QString reference = sumMatch.hasMatch() ? sumMatch.captured(1).trimmed() : body;
    const int dot = reference.indexOf(QLatin1Char('.'));
    if (dot <= 0 || dot == reference.size() - 1)
        return segment;
    segment.kind = sumMatch.hasMatch() ? Kind::Sum : Kind::Field;
    segment.dataSet = unquote(reference.left(dot));
    segment.field = unquote(reference.mid(dot + 1));
    return segment;
}

static const ReportDataSet &requireDataSet(const EvalContext &context, const QString &name)
{
    const ReportDataSet *set = context.data ? findDataSet(*context.data, name) : nullptr;
    if (!set)
        throw ReportError(QStringLiteral("Unknown dataset \"%1\"").arg(name));
    return *set;
}

static int requireField(const ReportDataSet &set, const QString &field)
{
    const int index = set.fieldIndex(field);
    if (index < 0)
        throw ReportError(QStringLiteral("Unknown field \"%1\" in dataset \"%2\"").arg(field, set.name));
    return index;
}

static QVariant fieldValue(const ReportDataSet &set, int column, const EvalContext &context)
{
    const bool isMaster = set.name.compare(context.masterDataSet, Qt::CaseInsensitive) == 0;
    const int row = isMaster ? context.masterRow : 0;
    if (row < 0 || row >= set.rows.size() || column >= set.rows.at(row).size())
        return {};
    return set.rows.at(row).at(column);
}

static QVariant sumOf(const ReportDataSet &set, int column)
{
    double total = 0;
    for (const QVariantList &row : set.rows) {
        if (column >= row.size() || row.at(column).isNull())
            continue;
        bool ok = false;
        total += row.at(column).toDouble(&ok);
        if (!ok)
            throw ReportError(QStringLiteral("SUM of \"%1\": \"%2\" is not a number")
                                  .arg(set.fields.at(column), row.at(column).toString()));
    }
    return total;
}

QVariant TextTemplate::value(const Segment &segment, const EvalContext &context) const
{
    const ReportDataSet &set = requireDataSet(context, segment.dataSet);
    if (set.failed)
        return {};
    const int column = requireField(set, segment.field);
    return segment.kind == Kind::Sum ? sumOf(set, column) : fieldValue(set, column, context);
}

QString TextTemplate::evaluate(const EvalContext &context, const QString &displayFormat) const
{
    QString out;
    for (const Segment &segment : segments_) {
        switch (segment.kind) {
        case Kind::Literal:
            out += segment.text;
            break;
        case Kind::Page:
            out += QString::number(context.page);
            break;
        case Kind::Date:
            out += context.locale.toString(context.preparedAt.date(), QLocale::ShortFormat);
            break;
        case Kind::Time:
            out += context.locale.toString(context.preparedAt.time(), QLocale::ShortFormat);
            break;
        case Kind::Field:
        case Kind::Sum:
            out += formatValue(value(segment, context), displayFormat, context.locale);
            break;
        case Kind::Invalid:
            throw ReportError(QStringLiteral("Cannot read the expression \"[%1]\"").arg(segment.text));
        }
    }
    return out;
}

} // namespace report
