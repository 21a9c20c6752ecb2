#pragma once

#include "ReportData.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace report {

// What an expression sees when a band is printed.
struct EvalContext {
    const QList<ReportDataSet> *data = nullptr;
    QString masterDataSet;  // references to it read the current row, others their first row
    int masterRow = 0;
    int page = 1;
    QDateTime preparedAt;
    QLocale locale;
};

// The text of a text box: literal text with expressions in square brackets.
//   [dataset."FIELD"] or [dataset.FIELD]   a field of the current row
//   [SUM(dataset."FIELD")]                 the sum of a field over all rows (nulls skipped)
//   [Page]                                 the page number, from 1
//   [Date], [Time]                         when the report was prepared, locale's short format
// Values of fields and sums go through the text box's display format.
class TextTemplate {
public:
    static TextTemplate parse(const QString &text);

    // Throws ReportError for an expression it cannot read or a field the data lacks.
    QString evaluate(const EvalContext &context, const QString &displayFormat) const;

private:
    enum class Kind { Literal, Field, Sum, Page, Date, Time, Invalid };
    struct Segment {
        Kind kind = Kind::Literal;
        QString text;  // literal text, or the expression as written
        QString dataSet;
        QString field;
    };

    static Segment parseExpression(const QString &expression);
    QVariant value(const Segment &segment, const EvalContext &context) const;

    QList<Segment> segments_;
};

} // namespace report
