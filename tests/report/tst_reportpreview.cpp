#include "MessageBoxAnswerer.h"
#include "PdfText.h"

#include <FeeRawatReport.h>
#include <report/BandReport.h>
#include <report/PageView.h>
#include <report/ReportPreview.h>

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

using report::ReportPreview;

namespace {

report::BandReport feeReport(int days)
{
    QList<feerawat::FeeRawatRow> rows;
    for (int i = 0; i < days; ++i)
        rows.append({QDate(2026, 1, 1).addDays(i), i + 1, 1000.0 * (i + 1)});
    report::BandReport report(feerawat::frxReport1_feeRawat());
    report.setData(feerawat::feeRawatData({"Apotek", "Jl. Satu", "Januari", 2026}, rows));
    return report;
}

// Runs the script once the preview's modal loop is running, and closes the preview
// afterwards whatever the script's checks found, so showReport always returns.
void whilePreviewIsOpen(const std::function<void(ReportPreview *)> &script)
{
    QTimer::singleShot(0, [script] {
        auto *preview = qobject_cast<ReportPreview *>(QApplication::activeModalWidget());
        struct Closer {
            ReportPreview *preview;
            ~Closer()
            {
                if (auto *modal = QApplication::activeModalWidget())
                    modal->close();
                if (preview)
                    preview->reject();
            }
        } closer{preview};
        QVERIFY(preview);
        script(preview);
    });
}

// Dark pixels of the page as shown: the page's text and rules.
int inkOn(QWidget *view)
{
    if (!view)
        return 0;
    const QImage shot = view->grab().toImage();
    int ink = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x)
            ink += qGray(shot.pixel(x, y)) < 128;
    }
    return ink;
}

void click(ReportPreview *preview, const char *name)
{
    auto *button = preview->findChild<QToolButton *>(QLatin1String(name));
    QVERIFY2(button, name);
    button->click();
}

} // namespace

class ReportPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void opensModalMaximizedAndShowsPagesAsTheyArrive()
    {
        report::BandReport report = feeReport(100);
        bool scriptRan = false;
        whilePreviewIsOpen([&](ReportPreview *preview) {
            QVERIFY(preview->isModal());
            QVERIFY(preview->windowState() & Qt::WindowMaximized);
            QCOMPARE(preview->zoom(), 1.0);
            QCOMPARE(preview->findChild<QLabel *>("zoomLabel")->text(), QStringLiteral("100 %"));
            auto *outline = preview->findChild<QListWidget *>("outlineList");
            QVERIFY(outline && outline->isVisible());
            QCOMPARE(outline->width(), 150);
            // Preparation waits for the window to be up.
            QVERIFY(preview->pages().isEmpty());

            QList<bool> preparingWhenAdded;
            connect(preview, &ReportPreview::pageAdded, preview,
                    [&](int) { preparingWhenAdded.append(preview->isPreparing()); });
            QTRY_VERIFY(!preview->isPreparing());
            QCOMPARE(preview->pages().size(), 3);
            QCOMPARE(preparingWhenAdded, (QList<bool>{true, true, false}));
            QCOMPARE(outline->count(), 3);
            QCOMPARE(preview->currentPage(), 0);
            QVERIFY(inkOn(preview->findChild<report::PageView *>("pageView")) > 1000);

            auto *pageBox = preview->findChild<QSpinBox *>("pageNumberBox");
            click(preview, "nextPageButton");
            QCOMPARE(preview->currentPage(), 1);
            QCOMPARE(pageBox->value(), 2);
            click(preview, "priorPageButton");
            QCOMPARE(preview->currentPage(), 0);
            click(preview, "lastPageButton");
            QCOMPARE(preview->currentPage(), 2);
            QVERIFY(!preview->findChild<QToolButton *>("nextPageButton")->isEnabled());
            pageBox->setValue(2);
            QCOMPARE(preview->currentPage(), 1);
            outline->setCurrentRow(0);
            QCOMPARE(preview->currentPage(), 0);

            click(preview, "zoomInButton");
            QVERIFY(preview->zoom() > 1.0);
            click(preview, "wholePageButton");
            QVERIFY(preview->zoom() < 1.0);
            click(preview, "actualSizeButton");
            QCOMPARE(preview->zoom(), 1.0);
            scriptRan = true;
            click(preview, "closeButton");
        });
        report.showReport();
        QVERIFY(scriptRan);
        QCOMPARE(report.preparedPages().size(), 3);
        QVERIFY(report.errors().isEmpty());
    }

    void eachShowPreparesAfresh()
    {
        report::BandReport report = feeReport(60);
        for (int round = 0; round < 2; ++round) {
            whilePreviewIsOpen([](ReportPreview *preview) { QTRY_VERIFY(!preview->isPreparing()); });
            report.showReport(true);
            QCOMPARE(report.preparedPages().size(), 2);
        }
    }

    void savesThePreparedPagesAsPdf()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("statement.pdf"));
        report::BandReport report = feeReport(60);
        whilePreviewIsOpen([&](ReportPreview *preview) {
            QTRY_VERIFY(!preview->isPreparing());
            QTimer answer;
            connect(&answer, &QTimer::timeout, preview, [&] {
                if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                    answer.stop();
                    dialog->selectFile(path);
                    static_cast<QDialog *>(dialog)->accept();  // QFileDialog's own accept, reached virtually
                }
            });
            answer.start(10);
            click(preview, "pdfButton");
        });
        report.showReport();
        const QStringList pages = pdfPagesText(path);
        QCOMPARE(pages.size(), 2);
        QVERIFY(pages.at(1).contains(QLatin1String("Hal : 2")));
    }

    void preparationErrorsAreShownInOneBox()
    {
        report::BandReport report = feeReport(3);
        report.layout().bands[2].texts[1].text = QStringLiteral("[frxDB_feeRawat.\"JUMLAH\"]");
        MessageBoxAnswerer answer;
        whilePreviewIsOpen([&](ReportPreview *preview) {
            QTRY_VERIFY(answer.answered());
            QTRY_COMPARE(QApplication::activeModalWidget(), preview);
            QCOMPARE(preview->pages().size(), 1);  // the report is still there to look at
        });
        report.showReport();
        QCOMPARE(answer.title(), QStringLiteral("Error"));
        QCOMPARE(answer.text(), QStringLiteral("The following error(s) have occured:\n"
                                      "Unknown field \"JUMLAH\" in dataset \"frxDB_feeRawat\""));
        QCOMPARE(report.errors().size(), 1);
    }
};

QTEST_MAIN(ReportPreviewTest)
#include "tst_reportpreview.moc"
