#pragma once

#include "ReportData.h"
#include "ReportLayout.h"
#include "ReportPage.h"

#include <QDialog>
#include <QPrinter>
#include <memory>

class QLabel;
class QListWidget;
class QScrollArea;
class QSpinBox;
class QToolButton;
class QTimer;

namespace report {

class PageView;
class ReportBuilder;

// The preview window: opens maximized and modal, starts preparing the report 50 ms after it
// is shown (from a timer inside its own event loop) and shows the pages as they arrive.
// Tools, found by object name: printButton, pdfButton, zoomInButton, zoomOutButton,
// wholePageButton, actualSizeButton, firstPageButton, priorPageButton, nextPageButton,
// lastPageButton, pageNumberBox, pageSetupButton, closeButton; the outline list
// "outlineList" (150 px wide) and the zoom read-out "zoomLabel".
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    static constexpr int preparationDelayMs = 50;

    ReportPreview(const ReportLayout &layout, const ReportData &data, QWidget *parent = nullptr);
    ~ReportPreview() override;

    const QList<ReportPage> &pages() const { return pages_; }
    const QStringList &errors() const { return errors_; }
    bool isPreparing() const;
    int currentPage() const { return current_; }  // from 0; -1 while no page has arrived
    double zoom() const;

public slots:
    void showPage(int index);
    void firstPage() { showPage(0); }
    void priorPage() { showPage(current_ - 1); }
    void nextPage() { showPage(current_ + 1); }
    void lastPage() { showPage(int(pages_.size()) - 1); }
    void zoomIn();
    void zoomOut();
    void actualSize();
    void wholePage();
    void printReport();
    void saveAsPdf();
    void pageSetup();

signals:
    void pageAdded(int pageCount);
    void preparationFinished();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildToolBar(QLayout *layout);
    QToolButton *addTool(QLayout *layout, const QString &objectName, const QString &text,
                         void (ReportPreview::*slot)());
    void prepareNextPage();
    void finishPreparation();
    void appendPage(const ReportPage &page);
    void setZoom(double zoom);
    void updateNavigation();

    ReportLayout layout_;
    ReportData data_;
    std::unique_ptr<ReportBuilder> builder_;
    QList<ReportPage> pages_;
    QStringList errors_;
    int current_ = -1;
    bool started_ = false;
    QPrinter printer_;
    QTimer *stepTimer_ = nullptr;
    PageView *view_ = nullptr;
    QScrollArea *scroll_ = nullptr;
    QListWidget *outline_ = nullptr;
    QSpinBox *pageBox_ = nullptr;
    QLabel *pageCountLabel_ = nullptr;
    QLabel *zoomLabel_ = nullptr;
};

} // namespace report
