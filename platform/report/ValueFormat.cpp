#include "ValueFormat.h"

#include "ReportError.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QTime>

namespace report {

QLocale reportLocale()
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale;
}

static QString formatPlain(const QVariant &value, const QLocale &locale)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return locale.toString(value.toDate(), QLocale::ShortFormat);
    case QMetaType::QDateTime:
        return locale.toString(value.toDateTime(), QLocale::ShortFormat);
    case QMetaType::QTime:
        return locale.toString(value.toTime(), QLocale::ShortFormat);
    default:
        return value.toString();
    }
}

static QString formatNumber(const QVariant &value, int decimals, bool grouped, const QLocale &locale)
{
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
        throw ReportError(QStringLiteral("\"%1\" is not a number").arg(value.toString()));
    QLocale numberLocale = locale;
    if (!grouped)
        numberLocale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return numberLocale.toString(number, 'f', decimals);
}

QString formatValue(const QVariant &value, const QString &displayFormat, const QLocale &locale)
{
    if (value.isNull())
        return {};
    if (displayFormat.isEmpty())
        return formatPlain(value, locale);
    static const QRegularExpression numberFormat(QStringLiteral("^%(\\d*)\\.(\\d+)([nf])$"));
    const auto match = numberFormat.match(displayFormat);
    if (!match.hasMatch())
        throw ReportError(QStringLiteral("Unknown display format \"%1\"").arg(displayFormat));
    return formatNumber(value, match.captured(2).toInt(), match.captured(3) == QLatin1String("n"), locale);
}

} // namespace report
