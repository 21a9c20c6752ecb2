// Start-up time of the real program, from process start to the home view (sign-in typing
// excluded), against a minimal Qt window that connects once to the same database. Both run
// on the same Xvfb display in alternating rounds; medians and their ratio are printed.
#include "GuiHarness.h"
#include "TestDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const int Rounds = 5;
const int PollMs = 10;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void stop(QProcess *p)
{
    p->kill();
    p->waitForFinished(5000);
}

// Process start to sign-in dialog, plus Enter in the password field to the main window.
double programStartMs(GuiHarness &gui)
{
    QElapsedTimer clock;
    clock.start();
    QProcess *p = gui.startProgram();
    const QString login = gui.waitForWindow("gembok", 30000, PollMs);
    const double toDialog = clock.elapsed();
    gui.typeText(login, "admin");
    gui.key(login, "Return");
    gui.typeText(login, "admin");
    gui.xdotool({"windowfocus", "--sync", login});
    clock.restart();
    gui.xdotool({"key", "Return"});
    gui.waitForWindow("Velmora @ Trivane", 30000, PollMs);
    const double toHome = clock.elapsed();
    stop(p);
    return toDialog + toHome;
}

double minimalWindowMs(GuiHarness &gui, const TestDatabase &db)
{
    QElapsedTimer clock;
    clock.start();
    QProcess p;
    p.setProcessEnvironment(gui.environment());
    p.start(MINIMAL_WINDOW_BINARY, {db.connectionString(), TestDatabase::user(), TestDatabase::password()});
    gui.waitForWindow("Minimal baseline", 30000, PollMs);
    const double ms = clock.elapsed();
    stop(&p);
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    TestDatabase db({TestDatabase::sourceDir() + "/db/demo-data.sql"});
    GuiHarness gui(db);
    std::vector<double> program, minimal;
    for (int round = 0; round < Rounds; ++round) {
        minimal.push_back(minimalWindowMs(gui, db));
        program.push_back(programStartMs(gui));
    }
    const double p = median(program), m = median(minimal);
    std::printf("start-up, process start to home view (typing excluded): %.0f ms (median of %d)\n", p, Rounds);
    std::printf("minimal Qt window connecting once to the same database:  %.0f ms (median of %d)\n", m, Rounds);
    std::printf("ratio program / minimal window: %.2f\n", p / m);
    return 0;
}
