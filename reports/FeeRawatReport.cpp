#include "FeeRawatReport.h"

namespace feerawat {

using report::Band;
using report::BandKind;
using report::FontStyle;
using report::Rule;
using report::TextBox;

namespace {

const FontStyle bodyFont{QStringLiteral("Calibri"), 13, 0, false};
const FontStyle boldFont{QStringLiteral("Calibri"), 13, 0, true};
const FontStyle largeFont{QStringLiteral("Calibri"), 16, 0, false};
constexpr auto right = Qt::AlignRight | Qt::AlignTop;
const QString numberFormat = QStringLiteral("%2.0n");

// Closes the summary: how the total is to be paid.
const QString paymentInstruction = QStringLiteral(
    "Mohon transfer Total Nilai Fee di atas ke rekening pengelola aplikasi\n"
    "paling lambat tanggal 10 bulan berikutnya.\n"
    "Terima kasih atas kerja sama Bapak/Ibu.");

TextBox text(double left, double top, double width, double height, const QString &content,
             Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop, const FontStyle &font = bodyFont)
{
    TextBox box;
    box.rectMm = QRectF(left, top, width, height);
    box.text = content;
    box.alignment = alignment;
    box.font = font;
    return box;
}

TextBox number(double left, double top, double width, double height, const QString &content,
               const FontStyle &font = bodyFont)
{
    TextBox box = text(left, top, width, height, content, right, font);
    box.displayFormat = numberFormat;
    box.wordWrap = false;
    return box;
}

QString feeField(const char *field)
{
    return QStringLiteral("[%1.\"%2\"]").arg(feeDataSetName, QLatin1String(field));
}

QString periodField(const char *field)
{
    return QStringLiteral("[%1.\"%2\"]").arg(periodDataSetName, QLatin1String(field));
}

Band pageHeader()
{
    const QString lines = periodField("INSTITUSI") + QLatin1Char('\n') + periodField("ALAMAT")
        + QStringLiteral("\nFee Rawat Aplikasi\nPeriode Penjualan : ") + periodField("BULAN_TEKS")
        + QStringLiteral(" - ") + periodField("TAHUN");
    return {BandKind::PageHeader, 21, {},
            {text(0, 0, 190, 21, lines, Qt::AlignHCenter | Qt::AlignTop, largeFont)}, {}};
}

Band columnHeader()
{
    return {BandKind::ColumnHeader, 14, {},
            {text(20.2, 3, 20, 8, QStringLiteral("Tanggal Penjualan")),
             text(69.2, 2.5, 21, 9, QStringLiteral("Jumlah Transaksi"), right),
             text(99.2, 5.6, 21, 5, QStringLiteral("Nilai Fee"), right)},
            {Rule{{20.15, 13}, 100}}};
}

Band masterData()
{
    TextBox date = text(20, 0, 20, 4, feeField("TANGGAL"));
    date.wordWrap = false;  // a long date format runs on to the right rather than hide its year
    return {BandKind::MasterData, 5, feeDataSetName,
            {date,
             number(69, 0, 21, 4, feeField("JML")),
             number(99, 0, 21, 4, feeField("NILAI_FEE"))},
            {}};
}

Band reportSummary()
{
    TextBox instruction = text(2, 0, 185, 20, paymentInstruction, Qt::AlignLeft | Qt::AlignTop, largeFont);
    instruction.anchorBottom = true;
    const auto sum = [](const char *field) { return QStringLiteral("[SUM(%1)]").arg(feeField(field).mid(1).chopped(1)); };
    return {BandKind::ReportSummary, 34, {},
            {text(20, 3, 20, 5, QStringLiteral("Total"), right, boldFont),
             number(69, 3, 21, 5, sum("JML"), boldFont),
             number(99, 3, 21, 5, sum("NILAI_FEE"), boldFont),
             instruction},
            {Rule{{20, 2}, 100}}};
}

Band pageFooter()
{
    TextBox preparedAt = text(10, 0.5, 24, 5, QStringLiteral("[Date]    [Time]"));
    preparedAt.growToFit = true;
    preparedAt.wordWrap = false;
    return {BandKind::PageFooter, 6, {},
            {preparedAt, text(160, 0.5, 25, 5, QStringLiteral("Hal : [Page]"), right)},
            {Rule{{0, 0}, 190}}};
}

} // namespace

report::ReportLayout frxReport1_feeRawat()
{
    report::ReportLayout layout;
    layout.name = QStringLiteral("frxReport1_feeRawat");
    layout.pageSizeMm = QSizeF(210, 297);
    layout.marginsMm = QMarginsF(10, 10, 10, 10);
    layout.bands = {pageHeader(), columnHeader(), masterData(), reportSummary(), pageFooter()};
    return layout;
}

report::ReportDataSet periodDataSet(const FeeRawatHeader &header)
{
    report::ReportDataSet set{periodDataSetName, {"INSTITUSI", "ALAMAT", "BULAN_TEKS", "TAHUN"}, {}};
    set.appendRow({header.institusi, header.alamat, header.bulanTeks, header.tahun});
    return set;
}

report::ReportDataSet feeDataSet(const QList<FeeRawatRow> &rows)
{
    report::ReportDataSet set{feeDataSetName, {"TANGGAL", "JML", "NILAI_FEE"}, {}};
    for (const FeeRawatRow &row : rows) {
        const QVariant fee = row.nilaiFee ? QVariant(*row.nilaiFee) : QVariant();
        set.appendRow({row.tanggal, row.jml, fee});
    }
    return set;
}

report::ReportData feeRawatData(const FeeRawatHeader &header, const QList<FeeRawatRow> &rows)
{
    report::ReportData data;
    data.add(periodDataSet(header));
    data.add(feeDataSet(rows));
    return data;
}

} // namespace feerawat
