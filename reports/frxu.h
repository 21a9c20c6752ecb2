#pragma once

#include "DataHolder.h"

#include <report/BandReport.h>
#include <report/PdfExport.h>

#include <QObject>
#include <QString>
#include <memory>

class QWidget;

namespace fb {
class DataSet;
}

// The period one fee statement covers, with the institution printed on its heading.
struct FeePeriod {
    QString institusi;
    QString alamat;
    int tahun = 0;
    int bulan = 0; // 1 to 12; 0 matches no sale
};

// The hidden report holder: its own connection, the two read-only datasets that feed the
// fee view and its statement, and the statement's layout with its data links.
class TForm1_frx : public QObject, public DataHolder {
    Q_OBJECT
public:
    explicit TForm1_frx(QObject *parent = nullptr);
    ~TForm1_frx() override;

    // Statement heading: one row from rpt_rentangthbl.
    std::unique_ptr<fb::DataSet> qrentangthbl;
    // One row per day of the period with sales: TANGGAL, JML, NILAI_FEE.
    std::unique_ptr<fb::DataSet> qfeerawat;
    report::BandReport frxReport1_feeRawat;

    // Reads the period afresh: closes db1 (so the opens below connect anew and see all
    // that is committed), then opens the heading and the daily rows.
    void openPeriod(const FeePeriod &period);

    // Shows the statement prepared from the open datasets in the modal preview, dropping
    // the pages of an earlier preparation; returns when the preview is closed. Faults met
    // while preparing are shown together afterwards.
    void showFeeReport(QWidget *parent = nullptr);

    // Prepares the statement from the open datasets and writes it to a PDF file, without
    // any window.
    report::RenderResult renderFeeReportToPdf(const QString &path) const;

    static const char *const rentangThblSql;
    static const char *const feeRawatSql;

private:
    void FormCreate();
    // frxDB_feeRawat and frxDB1thbl: read from the datasets when the report is prepared.
    report::ReportData reportData() const;
};
