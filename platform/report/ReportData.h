#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

namespace report {

// One named table of plain values under which a layout refers to data
// ("frxDB_feeRawat"."TANGGAL"). Field names are matched without regard to case.
struct ReportDataSet {
    QString name;
    QStringList fields;
    QList<QVariantList> rows;
    bool failed = false;  // its source failed while loading; references to it print empty

    int fieldIndex(const QString &field) const;
    void appendRow(const QVariantList &row) { rows.append(row); }
};

// The data a report is prepared from: tables given as values, and sources that load their
// table when the report is prepared (an exception a source throws becomes one of the
// report's collected errors, not a crash).
class ReportData {
public:
    using Loader = std::function<ReportDataSet()>;

    void add(const ReportDataSet &set);
    void addSource(const QString &name, Loader loader);

    // The tables with every source loaded; failures are appended to errors.
    QList<ReportDataSet> load(QStringList &errors) const;

private:
    QList<ReportDataSet> sets_;
    QList<std::pair<QString, Loader>> sources_;
};

const ReportDataSet *findDataSet(const QList<ReportDataSet> &sets, const QString &name);

} // namespace report
