#pragma once

#include <report/ReportData.h>
#include <report/ReportLayout.h>

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

// The monthly maintenance-fee statement frxReport1_feeRawat and the data it prints.
namespace feerawat {

// Names under which the layout refers to its data.
inline const QString feeDataSetName = QStringLiteral("frxDB_feeRawat");
inline const QString periodDataSetName = QStringLiteral("frxDB1thbl");

// The statement's heading: institution, its address and the period printed.
struct FeeRawatHeader {
    QString institusi;
    QString alamat;
    QString bulanTeks;  // month name
    int tahun = 0;
};

// One day with sales: the date, the number of sales and the sum of their fee (null when
// none of them carries one).
struct FeeRawatRow {
    QDate tanggal;
    qint64 jml = 0;
    std::optional<double> nilaiFee;
};

// The A4 layout of the statement, to the millimetre.
report::ReportLayout frxReport1_feeRawat();

report::ReportDataSet periodDataSet(const FeeRawatHeader &header);
report::ReportDataSet feeDataSet(const QList<FeeRawatRow> &rows);
report::ReportData feeRawatData(const FeeRawatHeader &header, const QList<FeeRawatRow> &rows);

} // namespace feerawat
