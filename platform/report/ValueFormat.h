#pragma once

#include <QLocale>
#include <QString>
#include <QVariant>

namespace report {

// The locale reports print in: the user's, with thousands separators always on (the
// plain "C" locale leaves them out by default).
QLocale reportLocale();

// Formats a value for printing. displayFormat is empty (dates in the locale's short
// format, anything else as its text) or "%<width>.<decimals>n" (number with thousands
// separators) or "%<width>.<decimals>f" (number without them). A null value prints empty.
// Throws ReportError for a format it does not know or a value that is not a number.
QString formatValue(const QVariant &value, const QString &displayFormat, const QLocale &locale);

} // namespace report
