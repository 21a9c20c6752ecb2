// The maintenance-fee view, its report holder and its printed statement against a real
// server: period set-up, daily rows, reloads on every change, printing, the kept column
// layout, faults from the database and the messaging room.
#include "FeeFixture.h"
#include "PdfText.h"

#include "FeeGridModel.h"
#include "GridColumnLayout.h"
#include "Instances.h"
#include "dmlaporan.h"
#include "feerawatu.h"
#include "frxu.h"
#include "zqu111.h"

#include "fb/DataSet.h"
#include "fb/Database.h"
#include "messaging/TcpMessagingClient.h"
#include "storage/XmlFileStorage.h"

#include <report/ReportPreview.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

// The grid as shown: one line per row, cells joined with "|".
QStringList gridText(const QTableView &grid)
{
    QStringList lines;
    const QAbstractItemModel *model = grid.model();
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        lines << cells.join('|');
    }
    return lines;
}

QString shortDate(int y, int m, int d) { return QLocale().toString(QDate(y, m, d), QLocale::ShortFormat); }

// Picks March 2024 the way a user would: the month from the list, the year typed over.
void showMarch2024(TForm1_feeRawat &view)
{
    view.JvComboBox1->setCurrentIndex(2);
    view.JvSpinEdit1->setValue(2024);
}

// Runs script once the preview's modal loop runs and closes the preview afterwards, so the
// print handler always returns.
void whilePreviewIsOpen(const std::function<void(report::ReportPreview *)> &script)
{
    QTimer::singleShot(0, [script] {
        auto *preview = qobject_cast<report::ReportPreview *>(QApplication::activeModalWidget());
        struct Closer {
            report::ReportPreview *preview;
            ~Closer()
            {
                if (preview)
                    preview->reject();
            }
        } closer{preview};
        QVERIFY(preview);
        script(preview);
    });
}

// The months of each reload, as the year and month boxes gave them.
struct ReloadLog {
    explicit ReloadLog(TForm1_feeRawat &view)
    {
        QObject::connect(Form1_frx->qfeerawat.get(), &fb::DataSet::opened, &context, [this, &view] {
            periods << QString("%1/%2").arg(view.JvSpinEdit1->value()).arg(view.selectedMonth());
        });
    }
    QObject context;
    QStringList periods;
};

} // namespace

class FeeRawatTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void showingSelectsTodaysMonthAndListsItsSales()
    {
        // Month names stored out of order: the list follows BULAN, not storage order.
        FeeFixture f({"sql:delete from m_bulan;\n"
                      "insert into m_bulan values (12, 'Desember');\n"
                      "insert into m_bulan values (2, 'Februari');\n"
                      "insert into m_bulan values (1, 'Januari');\n"
                      "insert into m_bulan values (3, 'Maret');\n"
                      "insert into m_bulan values (4, 'April');\n"
                      "insert into m_bulan values (5, 'Mei');\n"
                      "insert into m_bulan values (6, 'Juni');\n"
                      "insert into m_bulan values (7, 'Juli');\n"
                      "insert into m_bulan values (8, 'Agustus');\n"
                      "insert into m_bulan values (11, 'November');\n"
                      "insert into m_bulan values (9, 'September');\n"
                      "insert into m_bulan values (10, 'Oktober');\n"
                      "commit;\n"});
        TForm1_feeRawat *view = f.showView();
        QStringList months;
        for (int i = 0; i < view->JvComboBox1->count(); ++i)
            months << view->JvComboBox1->itemText(i);
        QCOMPARE(months, QStringList({"Januari", "Februari", "Maret", "April", "Mei", "Juni", "Juli", "Agustus",
                                      "September", "Oktober", "November", "Desember"}));
        const QDate today = QDate::currentDate();
        QCOMPARE(view->JvComboBox1->currentIndex(), today.month() - 1);
        QCOMPARE(view->JvSpinEdit1->value(), today.year());
        QVERIFY(view->siap);
        QCOMPARE(gridText(*view->grid1), QStringList{QLocale().toString(today, QLocale::ShortFormat) + "|2|250"});
        QCOMPARE(Form1_frx->qrentangthbl->fieldText("INSTITUSI"), QString("Apotek Uji"));
        QCOMPARE(Form1_frx->qrentangthbl->fieldText("ALAMAT"), QString("Jl. Uji No. 2"));
        QVERIFY(!dataLaporan->qbuka->isOpen());
        QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join('\n')));
    }

    void oneRowPerSaleDateInOrder()
    {
        FeeFixture f;
        TForm1_feeRawat *view = f.showView();
        showMarch2024(*view);
        QCOMPARE(gridText(*view->grid1), QStringList({shortDate(2024, 3, 2) + "|2|4,201",
                                                      shortDate(2024, 3, 5) + "|1|",
                                                      shortDate(2024, 3, 10) + "|1|1,234,567"}));
        QCOMPARE(view->grid1->model()->headerData(1, Qt::Horizontal).toString(), QString("JML"));
        QCOMPARE(Form1_frx->qrentangthbl->fieldText("BULAN_TEKS"), QString("Maret"));
        QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join('\n')));
    }

    void typingAYearReloadsAfterEachDigit()
    {
        FeeFixture f;
        TForm1_feeRawat *view = f.showView();
        view->JvComboBox1->setCurrentIndex(2);
        ReloadLog log(*view);
        QLineEdit *yearText = view->JvSpinEdit1->findChild<QLineEdit *>();
        QVERIFY(yearText);
        yearText->selectAll();
        QTest::keyClick(yearText, Qt::Key_Delete);
        QTest::keyClicks(yearText, "2024");
        // The emptied box holds no number, so it changes nothing; each digit then does.
        QCOMPARE(log.periods, QStringList({"2/3", "20/3", "202/3", "2024/3"}));
        QCOMPARE(view->grid1->model()->rowCount(), 3);
    }

    void typedMonthText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("rows");
        QTest::newRow("no such month") << "Maretz" << 0 << 0;
        QTest::newRow("a month name") << "Maret" << 3 << 3;
        QTest::newRow("a month name in other case") << "maret" << 3 << 3;
        QTest::newRow("nothing") << "" << 0 << 0;
    }

    void typedMonthText()
    {
        QFETCH(QString, typed);
        QFETCH(int, month);
        QFETCH(int, rows);
        FeeFixture f;
        TForm1_feeRawat *view = f.showView();
        view->JvSpinEdit1->setValue(2024);
        view->JvComboBox1->setCurrentIndex(0);
        ReloadLog log(*view);
        QLineEdit *monthText = view->JvComboBox1->lineEdit();
        monthText->selectAll();
        QTest::keyClick(monthText, Qt::Key_Delete);
        QTest::keyClicks(monthText, typed);
        QCOMPARE(view->selectedMonth(), month);
        QVERIFY(!log.periods.isEmpty());
        QCOMPARE(log.periods.last(), QString("2024/%1").arg(month));
        QCOMPARE(log.periods.size(), typed.size() + 1); // the emptied box, then each keystroke
        QCOMPARE(view->grid1->model()->rowCount(), rows);
        QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join('\n')));
    }

    void printingPreparesAnewAndReloadsAfterThePreview()
    {
        FeeFixture f;
        TForm1_feeRawat *view = f.showView();
        showMarch2024(*view);
        for (int print = 0; print < 2; ++print) {
            int pagesShown = -1;
            whilePreviewIsOpen([&](report::ReportPreview *preview) {
                QVERIFY(preview->isModal());
                QTRY_VERIFY(!preview->isPreparing());
                pagesShown = int(preview->pages().size());
                // A sale committed while the preview is open shows once it is closed.
                f.shell.db.isql(QString("insert into jual (jual_kode, tanggal, tahun, bulan, fee_rawat) "
                                        "values ('N1', '2024-03-2%1', 2024, 3, 1); commit;").arg(print));
            });
            view->btn_cetak->click();
            QCOMPARE(pagesShown, 1);
            QCOMPARE(Form1_frx->frxReport1_feeRawat.preparedPages().size(), 1); // the earlier print's dropped
            QCOMPARE(view->grid1->model()->rowCount(), 4 + print);
        }
        QVERIFY(view->siap);
        QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join('\n')));
    }

    void aFailedPrintStillReloadsAndMakesTheViewReady()
    {
        FeeFixture f({"sql:drop procedure rpt_rentangthbl; drop table m_bulan; commit;"});
        TForm1_feeRawat *view = f.showView();
        QVERIFY(!view->siap);
        QCOMPARE(view->JvComboBox1->count(), 0);
        QCOMPARE(f.errors.size(), 1);
        QVERIFY2(f.errors.first().contains("M_BULAN", Qt::CaseInsensitive), qPrintable(f.errors.first()));
        // No month selected sends month 0; the procedure then fails in the print's steps
        // and again in the closing reload, each shown, and the view is ready afterwards.
        view->btn_cetak->click();
        QVERIFY(f.errors.size() >= 2);
        QVERIFY(view->siap);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void databaseFaultsAreShownAndTheViewWorksOn_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("expectedMessage");
        QTest::addColumn<int>("rowsAfter");
        QTest::newRow("report procedure dropped") << "drop procedure rpt_rentangthbl; commit;"
                                                  << "RPT_RENTANGTHBL" << 0;
        QTest::newRow("attachment killed between reloads")
            << "delete from mon$attachments where mon$attachment_id <> current_connection; commit;" << "" << 3;
    }

    void databaseFaultsAreShownAndTheViewWorksOn()
    {
        QFETCH(QString, fault);
        QFETCH(QString, expectedMessage);
        QFETCH(int, rowsAfter);
        FeeFixture f;
        TForm1_feeRawat *view = f.showView();
        view->JvComboBox1->setCurrentIndex(2);
        QVERIFY(Form1_frx->db1.isConnected());
        f.shell.db.isql(fault);
        view->JvSpinEdit1->setValue(2024);
        QCOMPARE(view->grid1->model()->rowCount(), rowsAfter);
        if (expectedMessage.isEmpty()) {
            QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join('\n')));
        } else {
            QCOMPARE(f.errors.size(), 1);
            QVERIFY2(f.errors.first().contains(expectedMessage, Qt::CaseInsensitive), qPrintable(f.errors.first()));
        }
        QVERIFY(view->siap);
    }

    void extremeYearsGiveAnEmptyGrid_data()
    {
        QTest::addColumn<int>("year");
        QTest::newRow("year 0") << 0;
        QTest::newRow("year 99999") << 99999;
    }

    void extremeYearsGiveAnEmptyGrid()
    {
        QFETCH(int, year);
        FeeFixture f;
        TForm1_feeRawat *view = f.showView();
        showMarch2024(*view);
        view->JvSpinEdit1->setValue(year);
        QCOMPARE(view->JvSpinEdit1->value(), year);
        QCOMPARE(view->grid1->model()->rowCount(), 0);
        QCOMPARE(Form1_frx->qrentangthbl->fieldValue("TAHUN").toInt(), year);
        QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join('\n')));
    }

    void columnLayoutComesBackInTheNextView()
    {
        FeeFixture f;
        TForm1_feeRawat *view = f.showView();
        QHeaderView *header = view->grid1->horizontalHeader();
        header->resizeSection(0, 150);
        header->resizeSection(2, 210);
        header->moveSection(2, 0); // NILAI_FEE first
        f.deleteView();
        QVERIFY(Form111->xml.readString("Form1_feeRawat", "grid1.Columns", {}).contains("NILAI_FEE:210"));

        view = f.showView();
        header = view->grid1->horizontalHeader();
        QCOMPARE(gridlayout::columnLayout(*header), QString("NILAI_FEE:210;TANGGAL:150;JML:%1").arg(header->sectionSize(1)));
        QCOMPARE(header->logicalIndex(0), 2);
    }

    void damagedStoredLayoutIsIgnored_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expectedStart");
        QTest::newRow("garbage") << "x;;:;JML:abc" << "TANGGAL:";
        QTest::newRow("unknown column skipped") << "NOPE:50;JML:77" << "JML:77;TANGGAL:";
        QTest::newRow("width clamped") << "TANGGAL:99999" << "TANGGAL:2000;";
    }

    void damagedStoredLayoutIsIgnored()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expectedStart);
        FeeFixture f;
        Form111->xml.writeString("Form1_feeRawat", "grid1.Columns", stored);
        TForm1_feeRawat *view = f.showView();
        QVERIFY2(gridlayout::columnLayout(*view->grid1->horizontalHeader()).startsWith(expectedStart),
                 qPrintable(gridlayout::columnLayout(*view->grid1->horizontalHeader())));
        QVERIFY(view->siap);
    }

    void statementPdfFromTheDatabase()
    {
        FeeFixture f;
        QTemporaryDir dir;
        Form1_frx->openPeriod({"Apotek Uji", "Jl. Uji No. 2", 2024, 3});
        const QString path = dir.filePath("maret.pdf");
        const auto result = Form1_frx->renderFeeReportToPdf(path);
        QVERIFY2(result.written && result.errors.isEmpty(), qPrintable(result.errors.join('\n')));
        const QStringList pages = pdfPagesText(path);
        QCOMPARE(pages.size(), 1);
        const QString page = pages.first();
        for (const QString &expected : {QString("Apotek Uji"), QString("Jl. Uji No. 2"), QString("Fee Rawat Aplikasi"),
                                        QString("Periode Penjualan : Maret - 2024"), QString("Hal : 1")})
            QVERIFY2(page.contains(expected), qPrintable(expected + " missing in:\n" + page));
        QVERIFY(page.contains(QRegularExpression("Total\\s+4\\s+1,238,768")));
        QVERIFY(page.contains(QRegularExpression("\\s2\\s+4,201")));
        QVERIFY(page.contains(QRegularExpression("\\s1\\s+1,234,567")));
        QVERIFY(page.indexOf(shortDate(2024, 3, 2)) < page.indexOf(shortDate(2024, 3, 5)));
        QVERIFY(page.indexOf(shortDate(2024, 3, 5)) < page.indexOf(shortDate(2024, 3, 10)));

        // A picture of the printed page for the README, kept in build/artifacts.
        const QString artifacts = QCoreApplication::applicationDirPath() + "/../../artifacts";
        QVERIFY(QDir().mkpath(artifacts));
        QFile::remove(artifacts + "/fee-statement.pdf");
        QVERIFY(QFile::copy(path, artifacts + "/fee-statement.pdf"));
        QCOMPARE(QProcess::execute("pdftoppm", {"-png", "-r", "80", "-f", "1", "-l", "1", "-singlefile",
                                                artifacts + "/fee-statement.pdf", artifacts + "/fee-statement-1"}),
                 0);
    }

    void emptyMonthStatementHasFrameOnly()
    {
        FeeFixture f;
        QTemporaryDir dir;
        Form1_frx->openPeriod({"Apotek Uji", "Jl. Uji No. 2", 2024, 6});
        const QString path = dir.filePath("juni.pdf");
        QVERIFY(Form1_frx->renderFeeReportToPdf(path).written);
        const QString page = pdfPagesText(path).value(0);
        for (const QString &expected : {QString("Periode Penjualan : Juni - 2024"), QString("Tanggal"),
                                        QString("Jumlah"), QString("Nilai Fee"), QString("Total"), QString("Hal : 1")})
            QVERIFY2(page.contains(expected), qPrintable(expected + " missing in:\n" + page));
        QVERIFY2(!page.contains("/2024"), qPrintable(page)); // no data rows carry a date
    }

    void messagingRoomJoinedAndToldOnClose()
    {
        FeeFixture f;
        TForm1_feeRawat *view = f.showView();
        QTRY_COMPARE(f.messaging.joins.size(), 1);
        QCOMPARE(f.messaging.joins.first().room, QString("lorvek3"));
        QCOMPARE(f.messaging.joins.first().user, QString("radivir"));
        QVERIFY(dataLaporan->db1.isConnected());
        QSignalSpy pipe(view, &ModuleView::sendThroughPipe);
        view->btn_close->click();
        QTRY_COMPARE(f.messaging.messages.size(), 1);
        QCOMPARE(f.messaging.messages.first().text, QString("0"));
        QCOMPARE(pipe.size(), 1);
        QCOMPARE(pipe.first().first().toByteArray(), QByteArray("0"));
        QVERIFY(!dataLaporan->db1.isConnected());
        QVERIFY(Form1_frx->db1.isConnected()); // the report holder's data stays
        f.deleteView();
        QTRY_COMPARE(f.messaging.clientCount(), 0);
    }

    void refusedMessagingConnectionIsReportedAndTheViewWorksOn()
    {
        FeeFixture f;
        quint16 deadPort = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            deadPort = probe.serverPort();
        }
        TForm1_feeRawat *view = f.showView(deadPort);
        QTRY_COMPARE(f.errors.size(), 1);
        QVERIFY2(f.errors.first().contains("refused", Qt::CaseInsensitive), qPrintable(f.errors.first()));
        showMarch2024(*view);
        QCOMPARE(view->grid1->model()->rowCount(), 3);
        QSignalSpy pipe(view, &ModuleView::sendThroughPipe);
        view->btn_close->click();
        QCOMPARE(pipe.size(), 1);
        QCOMPARE(f.errors.size(), 1); // the undelivered "0" is not an error
    }

    void displayFormats_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("thousands");
        QTest::addColumn<QString>("shown");
        QTest::newRow("null") << QVariant() << true << "";
        QTest::newRow("big count") << QVariant(qlonglong(1234567)) << true << "1,234,567";
        QTest::newRow("fee rounds") << QVariant(2500.5) << true << "2,501";
        QTest::newRow("negative fee") << QVariant(-1999.4) << true << "-1,999";
        QTest::newRow("date") << QVariant(QDate(2024, 3, 2)) << false << shortDate(2024, 3, 2);
    }

    void displayFormats()
    {
        QFETCH(QVariant, value);
        QFETCH(bool, thousands);
        QFETCH(QString, shown);
        QCOMPARE(FeeGridModel::displayText(value, thousands), shown);
    }
};

QTEST_MAIN(FeeRawatTest)
#include "tst_feerawat.moc"
