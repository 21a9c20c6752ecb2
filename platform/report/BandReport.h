#pragma once

#include "ReportData.h"
#include "ReportLayout.h"
#include "ReportPage.h"

#include <QStringList>

class QWidget;

namespace report {

// A report layout with its data and the pages last prepared from them.
class BandReport {
public:
    BandReport() = default;
    explicit BandReport(ReportLayout layout) : layout_(std::move(layout)) {}

    ReportLayout &layout() { return layout_; }
    const ReportLayout &layout() const { return layout_; }
    ReportData &data() { return data_; }
    void setData(const ReportData &data) { data_ = data; }

    // Opens the preview (modal, maximized), which prepares the report while it is shown,
    // and returns when the user has closed it. With clearLastReport the pages of an earlier
    // preparation are dropped first; without it the new pages follow them.
    void showReport(bool clearLastReport = true, QWidget *parent = nullptr);

    const QList<ReportPage> &preparedPages() const { return pages_; }
    const QStringList &errors() const { return errors_; }

private:
    ReportLayout layout_;
    ReportData data_;
    QList<ReportPage> pages_;
    QStringList errors_;
};

} // namespace report
