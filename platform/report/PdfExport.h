#pragma once

#include "ReportData.h"
#include "ReportLayout.h"
#include "ReportPage.h"

#include <QStringList>

class QPagedPaintDevice;
class QPrinter;

namespace report {

// Paints prepared pages onto a paged device (PDF writer or printer), one sheet each, with
// the paper sized to the page and no margins of the device's own.
bool paintPages(const QList<ReportPage> &pages, QPagedPaintDevice &device);

// Writes prepared pages to a PDF file. Returns false (error set) when the file cannot be
// written.
bool writePdf(const QList<ReportPage> &pages, const QString &path, QString *error = nullptr);

// Sends prepared pages to a printer chosen and set up by the caller, on the paper set up
// for it (pages larger than that paper are scaled down to fit).
bool printPages(const QList<ReportPage> &pages, QPrinter &printer);

struct RenderResult {
    bool written = false;
    int pageCount = 0;
    QStringList errors;  // collected while preparing, plus a failure to write the file
};

// Prepares the report and writes it to a PDF file, without any window.
RenderResult renderToPdf(const ReportLayout &layout, const ReportData &data, const QString &path);

} // namespace report
