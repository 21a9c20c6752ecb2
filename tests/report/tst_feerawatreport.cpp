#include "PdfText.h"

#include <FeeRawatReport.h>
#include <report/PdfExport.h>
#include <report/ReportBuilder.h>

#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using feerawat::FeeRawatHeader;
using feerawat::FeeRawatRow;

namespace {

const FeeRawatHeader header{QStringLiteral("Apotek Sehat Sentosa"), QStringLiteral("Jl. Merdeka No. 17, Bandung"),
                            QStringLiteral("Maret"), 2026};

// The lines of a page with their runs of blanks folded, empty lines dropped.
QStringList foldedLines(const QString &page)
{
    QStringList lines;
    for (const QString &line : page.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines.append(line.simplified());
    }
    return lines;
}

QList<FeeRawatRow> consecutiveDays(int count)
{
    QList<FeeRawatRow> rows;
    for (int i = 0; i < count; ++i)
        rows.append({QDate(2026, 1, 1).addDays(i), i + 1, 1000.0 * (i + 1)});
    return rows;
}

QString shortDate(const QDate &date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
}

// Data lines: they start with a date and carry no page number.
QStringList dataLines(const QStringList &lines)
{
    static const QRegularExpression dataLine(QStringLiteral("^\\d+/\\d+/\\d+ \\d"));
    QStringList found;
    for (const QString &line : lines) {
        if (dataLine.match(line).hasMatch() && !line.contains(QLatin1String("Hal :")))
            found.append(line);
    }
    return found;
}

} // namespace

class FeeRawatReportTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int files_ = 0;

    // Renders the statement and returns its path (empty when it failed).
    QString render(const QList<FeeRawatRow> &rows, int *pages = nullptr)
    {
        const QString path = dir_.filePath(QStringLiteral("fee-%1.pdf").arg(++files_));
        const auto result = report::renderToPdf(feerawat::frxReport1_feeRawat(), feerawat::feeRawatData(header, rows), path);
        if (pages)
            *pages = result.pageCount;
        if (!result.written || !result.errors.isEmpty()) {
            qWarning() << result.errors;
            return {};
        }
        return path;
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(dir_.isValid());
    }

    void statementPrintsHeaderRowsTotalsAndFooter()
    {
        const QList<FeeRawatRow> rows{{QDate(2026, 3, 1), 3, 4500.0},
                                      {QDate(2026, 3, 5), 12, 1234567.0},
                                      {QDate(2026, 3, 20), 1500, std::nullopt}};
        const QString path = render(rows);
        QVERIFY(!path.isEmpty());
        const QStringList pages = pdfPagesText(path);
        QCOMPARE(pages.size(), 1);
        const QStringList lines = foldedLines(pages.at(0));
        QVERIFY(lines.size() > 8);
        QCOMPARE(lines.mid(0, 4), (QStringList{"Apotek Sehat Sentosa", "Jl. Merdeka No. 17, Bandung",
                                               "Fee Rawat Aplikasi", "Periode Penjualan : Maret - 2026"}));
        // One line per day, in order, numbers with thousands separators; a day without any
        // fee shows an empty fee.
        QCOMPARE(dataLines(lines), (QStringList{"3/1/26 3 4,500", "3/5/26 12 1,234,567", "3/20/26 1,500"}));
        QVERIFY2(lines.contains(QStringLiteral("Total 1,515 1,239,067")), qPrintable(lines.join('\n')));
        QVERIFY(lines.indexOf(QStringLiteral("Total 1,515 1,239,067")) > lines.indexOf(QStringLiteral("3/20/26 1,500")));
        const QString footer = lines.last();
        QVERIFY2(footer.startsWith(shortDate(QDate::currentDate()) + QLatin1Char(' ')), qPrintable(footer));
        QVERIFY2(footer.endsWith(QLatin1String("Hal : 1")), qPrintable(footer));
    }

    void emptyMonthPrintsHeaderTitlesTotalAndFooterOnly()
    {
        int pageCount = 0;
        const QString path = render({}, &pageCount);
        QVERIFY(!path.isEmpty());
        QCOMPARE(pageCount, 1);
        const QStringList lines = foldedLines(pdfPagesText(path).value(0));
        QVERIFY(lines.contains(QStringLiteral("Fee Rawat Aplikasi")));
        const QList<PdfWord> words = pdfWords(path);
        for (const char *title : {"Tanggal", "Penjualan", "Jumlah", "Transaksi", "Nilai"})
            QVERIFY2(!wordsNamed(words, QLatin1String(title)).isEmpty(), title);
        QVERIFY(lines.contains(QStringLiteral("Total 0 0")));
        QVERIFY(dataLines(lines).isEmpty());
        // Nothing between the column titles and the total.
        const qsizetype titles = lines.indexOf(QRegularExpression(QStringLiteral(".*Transaksi.*")));
        QCOMPARE(lines.indexOf(QStringLiteral("Total 0 0")), titles + 1);
        QVERIFY(lines.last().endsWith(QLatin1String("Hal : 1")));
    }

    void longMonthsBreakPagesAboveTheFooter_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("rowsOnFirstPage");
        // 236 mm between column header and footer: 47 rows of 5 mm, or 40 rows and the 34 mm summary.
        QTest::newRow("fits with summary") << 40 << 1 << 40;
        QTest::newRow("summary alone on page 2") << 41 << 2 << 41;
        QTest::newRow("first page full") << 47 << 2 << 47;
        QTest::newRow("sixty days") << 60 << 2 << 47;
        QTest::newRow("three pages") << 100 << 3 << 47;
    }

    void longMonthsBreakPagesAboveTheFooter()
    {
        QFETCH(int, rows);
        QFETCH(int, pages);
        QFETCH(int, rowsOnFirstPage);
        const QList<FeeRawatRow> data = consecutiveDays(rows);
        const QString path = render(data);
        QVERIFY(!path.isEmpty());
        const QStringList pageTexts = pdfPagesText(path);
        QCOMPARE(pageTexts.size(), pages);
        const QList<PdfWord> words = pdfWords(path);

        QStringList printed;
        for (int page = 0; page < pages; ++page) {
            const QStringList lines = foldedLines(pageTexts.at(page));
            QVERIFY(lines.contains(QStringLiteral("Periode Penjualan : Maret - 2026")));
            QCOMPARE(wordsNamed(words, QStringLiteral("Transaksi"), page).size(), 1);
            QVERIFY2(lines.last().endsWith(QStringLiteral("Hal : %1").arg(page + 1)), qPrintable(lines.last()));
            QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^Total "))).size(), page == pages - 1 ? 1 : 0);
            const QStringList rowsHere = dataLines(lines);
            if (page == 0)
                QCOMPARE(rowsHere.size(), rowsOnFirstPage);
            printed += rowsHere;
        }
        QCOMPARE(printed.size(), rows);
        for (int i = 0; i < rows; ++i)
            QVERIFY2(printed.at(i).startsWith(shortDate(data.at(i).tanggal) + QLatin1Char(' ')), qPrintable(printed.at(i)));
    }

    void columnsSitWhereTheLayoutPutsThem()
    {
        const QString path = render({{QDate(2026, 3, 2), 7, 10500.0}, {QDate(2026, 3, 3), 9, 13500.0}});
        QVERIFY(!path.isEmpty());
        const QList<PdfWord> words = pdfWords(path);
        const auto date = singleWord(words, QStringLiteral("3/2/26"));
        const auto count = singleWord(words, QStringLiteral("7"));
        const auto fee = singleWord(words, QStringLiteral("10,500"));
        QVERIFY(date && count && fee);
        const double tolerance = 0.6;
        // Date left-aligned at 20 mm, numbers right-aligned in boxes ending at 90 and 120 mm
        // (plus the 10 mm margin).
        QVERIFY(qAbs(date->rectMm.left() - 30) < tolerance);
        QVERIFY(qAbs(count->rectMm.right() - 100) < tolerance);
        QVERIFY(qAbs(fee->rectMm.right() - 130) < tolerance);
        QVERIFY(date->rectMm.right() < count->rectMm.left());
        QVERIFY(count->rectMm.right() < fee->rectMm.left());

        // Titles above their data, right edges of the numeric titles on their columns.
        const auto tanggal = singleWord(words, QStringLiteral("Tanggal"));
        const auto transaksi = singleWord(words, QStringLiteral("Transaksi"));
        // The first "Nilai" is the title's; the payment instruction has another.
        const auto nilai = wordsNamed(words, QStringLiteral("Nilai"));
        QVERIFY(tanggal && transaksi);
        QCOMPARE(nilai.size(), 2);
        QVERIFY(tanggal->rectMm.bottom() < date->rectMm.top());
        QVERIFY(qAbs(tanggal->rectMm.left() - 30.2) < tolerance);
        QVERIFY(qAbs(transaksi->rectMm.right() - 100.2) < tolerance);
        QVERIFY(transaksi->rectMm.bottom() < count->rectMm.top());
        QVERIFY(nilai[0].rectMm.bottom() < fee->rectMm.top());

        // Rows 5 mm apart, the first one right below the 35 mm of headers.
        const auto nextDate = singleWord(words, QStringLiteral("3/3/26"));
        QVERIFY(nextDate);
        QVERIFY(qAbs(nextDate->rectMm.top() - date->rectMm.top() - 5) < 0.1);
        QVERIFY(qAbs(date->rectMm.top() - 45) < tolerance);

        // The payment instruction sits on the bottom of the 34 mm summary band: 20 mm high,
        // so it starts 14 mm into the band that follows the two rows.
        const auto mohon = singleWord(words, QStringLiteral("Mohon"));
        QVERIFY(mohon);
        QVERIFY(qAbs(mohon->rectMm.left() - 12) < tolerance);
        QVERIFY(qAbs(mohon->rectMm.top() - 69) < tolerance);

        // Page number right-aligned at 195 mm in the footer, 6 mm above the bottom margin.
        const auto hal = singleWord(words, QStringLiteral("Hal"));
        QVERIFY(hal);
        QVERIFY(qAbs(hal->rectMm.top() - 281.5) < tolerance);
        const auto pageNumber = wordsNamed(words, QStringLiteral("1"));
        QVERIFY(!pageNumber.isEmpty());
        QVERIFY(qAbs(pageNumber.last().rectMm.right() - 195) < tolerance);
    }

    void printingFitsThePagesOnThePrintersPaper_data()
    {
        QTest::addColumn<int>("paper");
        QTest::addColumn<double>("scale");
        QTest::newRow("A4 as laid out") << int(QPageSize::A4) << 1.0;
        QTest::newRow("Letter, shorter: scaled down") << int(QPageSize::Letter) << 279.4 / 297.0;
    }

    void printingFitsThePagesOnThePrintersPaper()
    {
        QFETCH(int, paper);
        QFETCH(double, scale);
        report::ReportBuilder builder(feerawat::frxReport1_feeRawat(),
                                      feerawat::feeRawatData(header, {{QDate(2026, 3, 2), 7, 10500.0}}));
        const QList<report::ReportPage> pages = builder.buildAll();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString path = dir_.filePath(QStringLiteral("printed-%1.pdf").arg(paper));
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::PageSizeId(paper)));
        QVERIFY(report::printPages(pages, printer));

        const QList<PdfWord> words = pdfWords(path);
        const auto date = singleWord(words, QStringLiteral("3/2/26"));
        const auto hal = singleWord(words, QStringLiteral("Hal"));
        QVERIFY(date && hal);
        QVERIFY(qAbs(date->rectMm.left() - 30 * scale) < 0.6);
        QVERIFY(qAbs(hal->rectMm.top() - 281.5 * scale) < 0.6);
    }

    void footerDateBoxGrowsToItsText()
    {
        report::ReportBuilder builder(feerawat::frxReport1_feeRawat(), feerawat::feeRawatData(header, {}),
                                      QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58)),
                                      QLocale(QLocale::Indonesian, QLocale::Indonesia));
        const report::ReportPage page = builder.buildNextPage();
        QVERIFY(builder.errors().isEmpty());
        const auto placed = std::find_if(page.texts.cbegin(), page.texts.cend(), [](const report::PlacedText &t) {
            return t.text.contains(QLatin1String("    "));
        });
        QVERIFY(placed != page.texts.cend());
        QCOMPARE(placed->rectMm.topLeft(), QPointF(20, 281.5));
        QVERIFY(placed->rectMm.width() >= 24);
        QVERIFY(placed->text.startsWith(QLatin1String("31/12/26    23.59")));
    }
};

QTEST_MAIN(FeeRawatReportTest)
#include "tst_feerawatreport.moc"
