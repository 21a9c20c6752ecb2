#include "PdfExport.h"

#include "PagePainter.h"
#include "ReportBuilder.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace report {

static QPageLayout pageLayoutFor(const ReportPage &page)
{
    return QPageLayout(QPageSize(page.sizeMm, QPageSize::Millimeter), QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

// Paints pages one per sheet. With a fixed paper the device keeps its own sheet (the one the
// user picked for the printer) and each page is scaled down, never up, to fit on it.
static bool paintOnto(const QList<ReportPage> &pages, QPagedPaintDevice &device, bool paperFromPage)
{
    if (pages.isEmpty())
        return true;
    if (paperFromPage)
        device.setPageLayout(pageLayoutFor(pages.first()));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const ReportPage &page = pages.at(i);
        if (i > 0) {
            if (paperFromPage)
                device.setPageLayout(pageLayoutFor(page));
            device.newPage();
        }
        const QSizeF paper = device.pageLayout().fullRect(QPageLayout::Millimeter).size();
        const double fit = qMin(1.0, qMin(paper.width() / page.sizeMm.width(), paper.height() / page.sizeMm.height()));
        painter.save();
        painter.scale(fit, fit);
        paintPage(painter, page);
        painter.restore();
    }
    return painter.end();
}

bool paintPages(const QList<ReportPage> &pages, QPagedPaintDevice &device)
{
    return paintOnto(pages, device, true);
}

bool writePdf(const QList<ReportPage> &pages, const QString &path, QString *error)
{
    // QPdfWriter reports no failure to open its file, so check the path first.
    {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly)) {
            if (error)
                *error = QStringLiteral("Cannot write %1: %2").arg(path, probe.errorString());
            return false;
        }
    }
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("TARVEN"));
    const bool ok = paintPages(pages, writer);
    if (!ok && error)
        *error = QStringLiteral("Cannot write %1").arg(path);
    return ok;
}

bool printPages(const QList<ReportPage> &pages, QPrinter &printer)
{
    printer.setFullPage(true);
    return paintOnto(pages, printer, false);
}

RenderResult renderToPdf(const ReportLayout &layout, const ReportData &data, const QString &path)
{
    ReportBuilder builder(layout, data);
    const QList<ReportPage> pages = builder.buildAll();
    RenderResult result;
    result.pageCount = int(pages.size());
    result.errors = builder.errors();
    QString error;
    result.written = writePdf(pages, path, &error);
    if (!result.written)
        result.errors.append(error);
    return result;
}

} // namespace report
