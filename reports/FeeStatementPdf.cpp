// Writes the fee statement with sample figures to a PDF file, for a look at the layout:
//   tarven-fee-statement-pdf statement.pdf [days]
//   pdftoppm -png -r 100 -f 1 -l 1 statement.pdf statement
#include "FeeRawatReport.h"

#include <report/PdfExport.h>

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() < 2) {
        err << "usage: tarven-fee-statement-pdf <out.pdf> [days]\n";
        return 2;
    }
    const int days = args.size() > 2 ? args.at(2).toInt() : 12;
    const feerawat::FeeRawatHeader header{QStringLiteral("Apotek Sehat Sentosa"),
                                          QStringLiteral("Jl. Merdeka No. 17, Bandung"),
                                          QStringLiteral("Maret"), 2026};
    QList<feerawat::FeeRawatRow> rows;
    for (int day = 1; day <= days; ++day)
        rows.append({QDate(2026, 3, 1).addDays(day - 1), 20 + (day * 7) % 31, 1500.0 * (20 + (day * 7) % 31)});
    const auto result = report::renderToPdf(feerawat::frxReport1_feeRawat(),
                                            feerawat::feeRawatData(header, rows), args.at(1));
    for (const QString &error : result.errors)
        err << error << '\n';
    return result.written && result.errors.isEmpty() ? 0 : 1;
}
