#include "BandReport.h"

#include "ReportPreview.h"

namespace report {

void BandReport::showReport(bool clearLastReport, QWidget *parent)
{
    if (clearLastReport) {
        pages_.clear();
        errors_.clear();
    }
    ReportPreview preview(layout_, data_, parent);
    preview.exec();
    pages_ += preview.pages();
    errors_ += preview.errors();
}

} // namespace report
