#pragma once

#include "ReportData.h"
#include "ReportLayout.h"
#include "ReportPage.h"
#include "TextTemplate.h"
#include "ValueFormat.h"

#include <QDateTime>
#include <QLocale>
#include <QStringList>

namespace report {

// Prepares a report one page at a time, so a preview can show each page as it is built.
// Page header and page footer on every page, the column header at the top of every page,
// the master band once per row of its dataset, a page break when the next band would not
// fit above the footer, the summary once after the last row. Faults in expressions or data
// are collected (each distinct message once) and preparation carries on.
class ReportBuilder {
public:
    ReportBuilder(const ReportLayout &layout, const ReportData &data,
                  const QDateTime &preparedAt = QDateTime::currentDateTime(),
                  const QLocale &locale = reportLocale());

    bool atEnd() const { return finished_; }
    ReportPage buildNextPage();
    const QStringList &errors() const { return errors_; }

    // Prepares every page at once.
    QList<ReportPage> buildAll();

private:
    struct PageState {
        ReportPage page;
        double y = 0;        // next free position, mm from the paper's top
        double limit = 0;    // where the page footer starts
        int bandsPlaced = 0; // body bands (master, summary) on this page
    };

    void placeBand(PageState &state, const Band &band, double top, int row);
    void placeText(PageState &state, const TextBox &box, double bandTop, double bandHeight,
                   const EvalContext &context);
    bool fits(const PageState &state, const Band &band) const;
    void recordError(const QString &message);
    int masterRowCount();

    ReportLayout layout_;
    QList<ReportDataSet> data_;
    QDateTime preparedAt_;
    QLocale locale_;
    QStringList errors_;
    int page_ = 0;
    int nextRow_ = 0;
    bool finished_ = false;
};

} // namespace report
