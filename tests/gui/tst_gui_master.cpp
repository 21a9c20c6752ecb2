// The maintenance views as a person uses them: the real executable under Xvfb, the doctors
// view opened through the menu, a doctor typed in and posted with the mouse and keyboard,
// the view closed back to the home view; the database checked afterwards.
#include "GuiHarness.h"
#include "TestDatabase.h"

#include <QThread>
#include <QtTest>

namespace {

const char *const Seed =
    "sql:insert into employees (nama, passwd, master, setting) values ('ani', 'rahasia', 1, 1);\n"
    "insert into dokter values ('Andi', '101', 'Umum');\n"
    "insert into puskesmas values (1, 'Sukamaju', 'Desa A', 'Kec A', 'Kota A', 'Prop A', 1);\n"
    "insert into m_poli (id_poli, poli) values (0, 'Umum');\n"
    "commit;\n";

void pause(int ms = 700) { QThread::msleep(ulong(ms)); }

// Window-relative places of the view's controls, from the layout: 3-px margins, a 70-px
// title strip and button column, the 25-px navigator at the bottom of the work area.
struct ViewGeometry {
    int width = 0;
    int height = 0;
    int menuBar = 0;

    QPoint navigatorButton(int index, int visibleButtons) const
    {
        const int left = 3 + 3 + 70 + 3 + 4;
        const int right = width - 3 - 3 - 4;
        const int step = (right - left) / visibleButtons;
        return {left + step * index + step / 2, height - 3 - 3 - 4 - 12};
    }
    // The first cell of the first data row, below the search box (24 px) and the header
    // (20 px), half a row (10 px) down.
    QPoint firstCell() const { return {3 + 3 + 70 + 3 + 4 + 40 + 30, menuBar + 3 + 3 + 70 + 3 + 1 + 24 + 20 + 10}; }
    QPoint closeButton() const { return {3 + 3 + 35, height - 3 - 3 - 3 - 35}; }
};

ViewGeometry geometryOf(const GuiHarness &gui, const QString &window)
{
    ViewGeometry g;
    const QStringList lines = gui.xdotool({"getwindowgeometry", "--shell", window}).split('\n');
    for (const QString &line : lines) {
        if (line.startsWith("WIDTH="))
            g.width = line.mid(6).toInt();
        if (line.startsWith("HEIGHT="))
            g.height = line.mid(7).toInt();
    }
    g.menuBar = 18;
    return g;
}

void click(const GuiHarness &gui, const QString &window, QPoint at)
{
    gui.clickAt(window, at.x(), at.y());
    pause(500);
}

} // namespace

class GuiMasterTest : public QObject {
    Q_OBJECT

private slots:
    void insertADoctorThroughTheMenuAndCloseToHome()
    {
        TestDatabase db({Seed});
        GuiHarness gui(db);
        QProcess *program = gui.startProgram();
        const QString window = gui.signIn("ani", "rahasia", "Tab");
        QVERIFY2(!window.isEmpty(), "the main window did not appear after sign-in");
        pause(1000);

        // A screenshot of each maintenance view, opened by command number.
        for (int number : {2, 3, 4, 5}) {
            gui.sendToPipe(QByteArray::number(number));
            pause(1000);
            gui.screenshot(QString("view-%1.png").arg(number));
        }
        gui.sendToPipe("0");
        pause(1000);

        // Master Data, Dokter through the keyboard.
        gui.key(window, "alt+d");
        pause(400);
        gui.key(window, "d");
        pause(1200);
        const ViewGeometry g = geometryOf(gui, window);
        QVERIFY(g.width > 0 && g.height > 0);

        // The doctors navigator shows Insert, Edit, Post, Cancel, Refresh.
        click(gui, window, g.navigatorButton(0, 5));
        click(gui, window, g.firstCell());
        gui.typeText(window, "Dokter Baru");
        gui.key(window, "Tab");
        gui.typeText(window, "999");
        gui.key(window, "Tab");
        pause(300);
        gui.screenshot("doctor-typed.png");
        click(gui, window, g.navigatorButton(2, 5));
        QCOMPARE(db.scalar("select nip from dokter where nama = 'Dokter Baru'"), QString("999"));
        click(gui, window, g.navigatorButton(4, 5));
        gui.screenshot("doctor-refreshed.png");

        click(gui, window, g.closeButton());
        pause(800);
        gui.screenshot("doctor-closed-home.png");
        // Only the home view lets the window close.
        QVERIFY2(gui.quitAndWait(window, program), "the close button did not bring back the home view");
        QCOMPARE(db.scalar("select count(*) from dokter"), QString("2"));
    }
};

QTEST_GUILESS_MAIN(GuiMasterTest)
#include "tst_gui_master.moc"
