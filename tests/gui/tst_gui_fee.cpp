// The fee view as a person uses it: the real executable under Xvfb, command 1 written to
// the pipe by another process, the period changed and the statement printed with keys
// and clicks, the preview closed, the view closed back to home, then quit from the menu.
#include "GuiHarness.h"
#include "TestDatabase.h"

#include <QDate>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QtTest>

namespace {

const char *const UsersAndSales =
    "sql:insert into employees (nama, passwd, master, setting) values ('ani', 'rahasia', 1, 1);\n"
    "insert into jual (jual_kode, tanggal, tahun, bulan, fee_rawat) values ('G1', current_date, "
    "extract(year from current_date), extract(month from current_date), 1500);\n"
    "commit;\n";

// Stands in for the messaging server on the view's fixed port and keeps every line.
class RoomRecorder : public QObject {
public:
    bool listen() { return server_.listen(QHostAddress::LocalHost, 15754); }
    QStringList lines;

    RoomRecorder()
    {
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                    while (socket->canReadLine())
                        lines << QString::fromUtf8(socket->readLine()).trimmed();
                });
            }
        });
    }

private:
    QTcpServer server_;
};

// Keeps the event loop running (for the recorder) while the program works.
void pause(int ms) { QTest::qWait(ms); }

int windowHeight(const GuiHarness &gui, const QString &window)
{
    const QString geometry = gui.xdotool({"getwindowgeometry", "--shell", window});
    const QRegularExpressionMatch m = QRegularExpression("HEIGHT=(\\d+)").match(geometry);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

} // namespace

class GuiFeeTest : public QObject {
    Q_OBJECT

private slots:
    void printTheMonthAndCloseBackHome()
    {
        RoomRecorder room;
        QVERIFY2(room.listen(), "port 15754 is taken");
        TestDatabase db({UsersAndSales});
        GuiHarness gui(db);
        QProcess *program = gui.startProgram();

        const QString window = gui.signIn("ani", "rahasia");
        QVERIFY2(!window.isEmpty(), "the main window did not appear after sign-in");
        pause(800);

        gui.sendToPipe("1");
        QTRY_VERIFY_WITH_TIMEOUT(room.lines.contains("JOIN lorvek3 radivir"), 10000);
        pause(500);
        gui.screenshot("fee-view.png");

        // The year box has the focus: Tab to the month box, Up for the month before.
        gui.key(window, "Tab");
        gui.key(window, "Up");
        pause(500);
        gui.screenshot("fee-view-month-changed.png");

        // Print: the top glyph button of the left column, below the 70 px title strip.
        gui.clickAt(window, 38, 130);
        const QString preview = gui.waitForWindow("^Preview$", 10000);
        QVERIFY2(!preview.isEmpty(), "the print button opened no preview");
        pause(1000);
        gui.screenshot("fee-preview.png");
        gui.key(preview, "Escape");
        QTRY_VERIFY_WITH_TIMEOUT(!gui.windowExists("^Preview$"), 10000);

        // Close: the bottom glyph button. The room hears "0" and the home view returns, so
        // the window may be closed from the menu.
        const int height = windowHeight(gui, window);
        QVERIFY(height > 200);
        gui.clickAt(window, 38, height - 38);
        QTRY_VERIFY_WITH_TIMEOUT(room.lines.contains("MSG 0"), 10000);
        pause(800);
        gui.screenshot("fee-closed-home.png");
        QVERIFY2(gui.quitAndWait(window, program), "the window did not close from the home view");
        QCOMPARE(program->exitCode(), 0);
        QVERIFY(!gui.windowExists("TARVEN"));
    }
};

QTEST_GUILESS_MAIN(GuiFeeTest)
#include "tst_gui_fee.moc"
