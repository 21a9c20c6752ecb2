// The program from start to close, as a person uses it: real executable, real X display,
// keys from xdotool, commands written to the pipe by another process.
#include "GuiHarness.h"
#include "TestDatabase.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QtTest>

namespace {

const char *const Users =
    "sql:insert into employees (nama, passwd, master, setting) values ('ani', 'rahasia', 1, 1);\n"
    "commit;\n";

bool waitForExit(QProcess *p, int timeoutMs) { return p->waitForFinished(timeoutMs); }

} // namespace

class GuiShellTest : public QObject {
    Q_OBJECT

private slots:
    void signInSwitchViewsAndCloseFromHome()
    {
        TestDatabase db({Users});
        GuiHarness gui(db);
        QProcess *program = gui.startProgram();

        const QString window = gui.signIn("ani", "rahasia");
        QVERIFY2(!window.isEmpty(), "the main window did not appear after sign-in");
        QCOMPARE(gui.xdotool({"getwindowname", window}), QString("Velmora @ Trivane"));
        QThread::msleep(800);
        gui.screenshot("home-view.png");

        // Health centres (its data holds an attachment once it shows), then quitting is
        // refused while that view is shown.
        gui.sendToPipe("3");
        QTRY_VERIFY_WITH_TIMEOUT(gui.programAttachments(db) == 1, 20000);
        gui.screenshot("command-3-puskesmas.png");
        gui.quitThroughMenu(window);
        QVERIFY2(!program->waitForFinished(2000), "the window closed outside the home view");

        // Garbage on the pipe changes nothing; 0 brings the home view back and quitting works.
        gui.sendToPipe("x");
        gui.sendToPipe("");
        gui.sendToPipe("0");
        QVERIFY2(gui.quitAndWait(window, program), "the window did not close from the home view");
        QCOMPARE(program->exitCode(), 0);

        // One session, started and ended, with the same code.
        QCOMPARE(db.scalar("select count(*) from log_pemakai where pemakai = 'ani'"), QString("1"));
        QCOMPARE(db.scalar("select count(*) from log_pemakai where pemakai = 'ani' and selesai is not null"),
                 QString("1"));
    }

    void secondCopyTellsTheFirstAndEnds()
    {
        TestDatabase db({Users});
        GuiHarness gui(db);
        QProcess *first = gui.startProgram();
        QVERIFY(!gui.waitForWindow("gembok").isEmpty());

        QProcess *second = gui.startProgram();
        const QString notice = gui.waitForWindow("^TARVEN$");
        QVERIFY2(!notice.isEmpty(), "the running copy showed no notice");
        gui.screenshot("second-copy-notice.png");
        QVERIFY2(!waitForExit(second, 1000), "the second copy must wait until the notice is closed");
        gui.key(notice, "Return");
        QVERIFY(waitForExit(second, 15000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QVERIFY(first->state() == QProcess::Running);

        // A copy under another file name starts beside the first.
        QProcess *other = gui.startProgram("tarven-lain");
        QThread::msleep(2000);
        QVERIFY(other->state() == QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(GuiShellTest)
#include "tst_gui_shell.moc"
