#include "frxu.h"

#include "FeeRawatReport.h"
#include "Instances.h"
#include "kunciu.h"

#include "fb/DataSet.h"

#include <report/ErrorReport.h>

const char *const TForm1_frx::rentangThblSql =
    "select rpt_rentangthbl.*, '<==========>' pembatas from rpt_rentangthbl(:institusi, :alamat, :tahun, :bulan)";
const char *const TForm1_frx::feeRawatSql =
    "select tanggal, count(jual_kode) jml , sum(fee_rawat) nilai_fee from jual\n"
    "where tahun = :tahun and bulan = :bulan\n"
    "group by tanggal\n"
    "order by tanggal";

namespace {

// Read only: a select and nothing to write with, in the holder's read transaction.
std::unique_ptr<fb::DataSet> makeReadOnly(DataHolder &holder, const char *name, const char *sql)
{
    auto ds = std::make_unique<fb::DataSet>(holder.db1, holder.transaksi1, holder.transaksi2);
    ds->setObjectName(name);
    ds->setSelectSql(sql);
    return ds;
}

// A data link: the listed fields of every row of an open dataset, under the link's name.
// A closed dataset links no rows.
report::ReportDataSet linkRows(const QString &name, const fb::DataSet &source, const QStringList &fields)
{
    report::ReportDataSet set{name, fields, {}};
    QList<int> columns;
    for (const QString &field : fields)
        columns << source.fieldIndex(field);
    for (int row = 0; row < source.rowCount(); ++row) {
        QVariantList values;
        for (int column : columns)
            values << (column < 0 ? QVariant() : source.value(row, column));
        set.appendRow(values);
    }
    return set;
}

} // namespace

TForm1_frx::TForm1_frx(QObject *parent)
    : QObject(parent)
    , qrentangthbl(makeReadOnly(*this, "qrentangthbl", rentangThblSql))
    , qfeerawat(makeReadOnly(*this, "qfeerawat", feeRawatSql))
    , frxReport1_feeRawat(feerawat::frxReport1_feeRawat())
{
    setObjectName("Form1_frx");
    frxReport1_feeRawat.setData(reportData());
    FormCreate();
}

// The datasets go first (members before bases); the data holder then closes the connection.
TForm1_frx::~TForm1_frx() = default;

void TForm1_frx::FormCreate() { ApplyConnectionSettings(db1, *Form1_kunci); }

void TForm1_frx::openPeriod(const FeePeriod &period)
{
    db1.close();
    qrentangthbl->close();
    qrentangthbl->setParam("institusi", period.institusi);
    qrentangthbl->setParam("alamat", period.alamat);
    qrentangthbl->setParam("tahun", period.tahun);
    qrentangthbl->setParam("bulan", period.bulan);
    qrentangthbl->open();
    qfeerawat->setParam("tahun", period.tahun);
    qfeerawat->setParam("bulan", period.bulan);
    qfeerawat->open();
}

report::ReportData TForm1_frx::reportData() const
{
    report::ReportData data;
    data.addSource(feerawat::feeDataSetName, [this] {
        return linkRows(feerawat::feeDataSetName, *qfeerawat, {"TANGGAL", "JML", "NILAI_FEE"});
    });
    data.addSource(feerawat::periodDataSetName, [this] {
        return linkRows(feerawat::periodDataSetName, *qrentangthbl, {"INSTITUSI", "ALAMAT", "BULAN_TEKS", "TAHUN"});
    });
    return data;
}

void TForm1_frx::showFeeReport(QWidget *parent)
{
    frxReport1_feeRawat.showReport(true, parent);
    report::showCollectedErrors(frxReport1_feeRawat.errors(), parent);
}

report::RenderResult TForm1_frx::renderFeeReportToPdf(const QString &path) const
{
    return report::renderToPdf(frxReport1_feeRawat.layout(), reportData(), path);
}
