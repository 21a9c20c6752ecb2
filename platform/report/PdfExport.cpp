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

bool paintPages(const QList<ReportPage> &pages, QPagedPaintDevice &device)
{
    if (pages.isEmpty())
        return true;
    device.setPageLayout(pageLayoutFor(pages.first()));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            device.setPageLayout(pageLayoutFor(pages.at(i)));
            device.newPage();
        }
        paintPage(painter, pages.at(i));
    }
    return painter.end();
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
    return paintPages(pages, printer);
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
