#include "ReportPreview.h"

#include "ErrorReport.h"
#include "PageView.h"
#include "PdfExport.h"
#include "ReportBuilder.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace report {

constexpr double zoomStep = 1.25;
constexpr double minZoom = 0.1;
constexpr double maxZoom = 8.0;
constexpr int outlineWidth = 150;

ReportPreview::ReportPreview(const ReportLayout &layout, const ReportData &data, QWidget *parent)
    : QDialog(parent), layout_(layout), data_(data), printer_(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("reportPreview"));
    setWindowTitle(QStringLiteral("Preview"));
    setModal(true);
    setWindowState(windowState() | Qt::WindowMaximized);
    setSizeGripEnabled(true);
    // The printer starts on the report's own paper; page settings may change it.
    printer_.setPageLayout(QPageLayout(QPageSize(layout_.pageSizeMm, QPageSize::Millimeter), QPageLayout::Portrait,
                                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));

    auto *main = new QVBoxLayout(this);
    auto *tools = new QHBoxLayout;
    buildToolBar(tools);
    main->addLayout(tools);

    auto *body = new QHBoxLayout;
    outline_ = new QListWidget(this);
    outline_->setObjectName(QStringLiteral("outlineList"));
    outline_->setAccessibleName(QStringLiteral("Outline"));
    outline_->setFixedWidth(outlineWidth);
    connect(outline_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            showPage(row);
    });
    body->addWidget(outline_);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("pageScrollArea"));
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Dark);
    view_ = new PageView;
    scroll_->setWidget(view_);
    body->addWidget(scroll_, 1);
    main->addLayout(body, 1);

    stepTimer_ = new QTimer(this);
    stepTimer_->setSingleShot(true);
    connect(stepTimer_, &QTimer::timeout, this, &ReportPreview::prepareNextPage);
    setZoom(1.0);
    updateNavigation();
}

ReportPreview::~ReportPreview() = default;

QToolButton *ReportPreview::addTool(QLayout *layout, const QString &objectName, const QString &text,
                                    void (ReportPreview::*slot)())
{
    auto *button = new QToolButton(this);
    button->setObjectName(objectName);
    button->setText(text);
    button->setAccessibleName(text);
    button->setToolTip(text);
    connect(button, &QToolButton::clicked, this, slot);
    layout->addWidget(button);
    return button;
}

void ReportPreview::buildToolBar(QLayout *layout)
{
    addTool(layout, QStringLiteral("printButton"), tr("Print"), &ReportPreview::printReport);
    addTool(layout, QStringLiteral("pdfButton"), tr("Save as PDF"), &ReportPreview::saveAsPdf);
    addTool(layout, QStringLiteral("zoomInButton"), tr("Zoom in"), &ReportPreview::zoomIn);
    addTool(layout, QStringLiteral("zoomOutButton"), tr("Zoom out"), &ReportPreview::zoomOut);
    addTool(layout, QStringLiteral("actualSizeButton"), tr("100 %"), &ReportPreview::actualSize);
    addTool(layout, QStringLiteral("wholePageButton"), tr("Whole page"), &ReportPreview::wholePage);
    zoomLabel_ = new QLabel(this);
    zoomLabel_->setObjectName(QStringLiteral("zoomLabel"));
    layout->addWidget(zoomLabel_);
    addTool(layout, QStringLiteral("firstPageButton"), tr("First page"), &ReportPreview::firstPage);
    addTool(layout, QStringLiteral("priorPageButton"), tr("Prior page"), &ReportPreview::priorPage);
    pageBox_ = new QSpinBox(this);
    pageBox_->setObjectName(QStringLiteral("pageNumberBox"));
    pageBox_->setAccessibleName(tr("Page number"));
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int number) { showPage(number - 1); });
    layout->addWidget(pageBox_);
    pageCountLabel_ = new QLabel(this);
    pageCountLabel_->setObjectName(QStringLiteral("pageCountLabel"));
    layout->addWidget(pageCountLabel_);
    addTool(layout, QStringLiteral("nextPageButton"), tr("Next page"), &ReportPreview::nextPage);
    addTool(layout, QStringLiteral("lastPageButton"), tr("Last page"), &ReportPreview::lastPage);
    addTool(layout, QStringLiteral("pageSetupButton"), tr("Page settings"), &ReportPreview::pageSetup);
    static_cast<QBoxLayout *>(layout)->addStretch(1);
    addTool(layout, QStringLiteral("closeButton"), tr("Close"), &ReportPreview::reject);
}

bool ReportPreview::isPreparing() const
{
    return !builder_ || !builder_->atEnd();
}

void ReportPreview::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (started_)
        return;
    started_ = true;
    builder_ = std::make_unique<ReportBuilder>(layout_, data_);
    stepTimer_->start(preparationDelayMs);
}

// One page per timer tick, so the window stays responsive and shows each page as it comes.
void ReportPreview::prepareNextPage()
{
    try {
        appendPage(builder_->buildNextPage());
    } catch (const std::exception &e) {
        errors_.append(QString::fromUtf8(e.what()));
        finishPreparation();
        return;
    }
    if (builder_->atEnd())
        finishPreparation();
    else
        stepTimer_->start(0);
}

void ReportPreview::finishPreparation()
{
    errors_ += builder_->errors();
    emit preparationFinished();
    showCollectedErrors(errors_, this);
}

void ReportPreview::appendPage(const ReportPage &page)
{
    pages_.append(page);
    outline_->addItem(tr("Page %1").arg(pages_.size()));
    updateNavigation();
    if (current_ < 0)
        showPage(0);
    emit pageAdded(int(pages_.size()));
}

void ReportPreview::showPage(int index)
{
    if (index < 0 || index >= pages_.size() || index == current_)
        return;
    current_ = index;
    view_->setPage(pages_.at(index));
    scroll_->verticalScrollBar()->setValue(0);
    updateNavigation();
}

void ReportPreview::updateNavigation()
{
    const int count = int(pages_.size());
    const QSignalBlocker blockBox(pageBox_);
    const QSignalBlocker blockOutline(outline_);
    pageBox_->setRange(count > 0 ? 1 : 0, count);
    pageBox_->setValue(current_ + 1);
    pageCountLabel_->setText(tr("of %1").arg(count));
    outline_->setCurrentRow(current_);
    findChild<QToolButton *>(QStringLiteral("priorPageButton"))->setEnabled(current_ > 0);
    findChild<QToolButton *>(QStringLiteral("firstPageButton"))->setEnabled(current_ > 0);
    findChild<QToolButton *>(QStringLiteral("nextPageButton"))->setEnabled(current_ + 1 < count);
    findChild<QToolButton *>(QStringLiteral("lastPageButton"))->setEnabled(current_ + 1 < count);
}

double ReportPreview::zoom() const
{
    return view_->zoom();
}

void ReportPreview::setZoom(double zoom)
{
    view_->setZoom(qBound(minZoom, zoom, maxZoom));
    zoomLabel_->setText(QStringLiteral("%1 %").arg(qRound(view_->zoom() * 100)));
}

void ReportPreview::zoomIn()
{
    setZoom(zoom() * zoomStep);
}

void ReportPreview::zoomOut()
{
    setZoom(zoom() / zoomStep);
}

void ReportPreview::actualSize()
{
    setZoom(1.0);
}

void ReportPreview::wholePage()
{
    const QSizeF natural = view_->naturalSize();
    const QSize room = scroll_->viewport()->size();
    if (natural.isEmpty() || room.isEmpty())
        return;
    setZoom(qMin(room.width() / natural.width(), room.height() / natural.height()));
}

void ReportPreview::printReport()
{
    QPrintDialog dialog(&printer_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!printPages(pages_, printer_))
        QMessageBox::warning(this, tr("Print"), tr("The report could not be printed."));
}

void ReportPreview::saveAsPdf()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Save as PDF"), QString(),
                                                      tr("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!writePdf(pages_, path, &error))
        QMessageBox::warning(this, tr("Save as PDF"), error);
}

void ReportPreview::pageSetup()
{
    QPageSetupDialog dialog(&printer_, this);
    dialog.exec();
}

} // namespace report
