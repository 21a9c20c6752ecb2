#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class TestDatabase;

// Runs the real executable as a person would: on its own Xvfb display, with its own
// runtime and data folders, a copy of the executable beside its connection file, keys and
// clicks sent with xdotool, screenshots taken with ImageMagick's import.
class GuiHarness {
public:
    explicit GuiHarness(const TestDatabase &db);
    ~GuiHarness();

    const QString &display() const { return display_; }
    const QString &binDir() const { return binDir_; }
    QString executablePath() const;
    QString runtimeDir() const;
    static QString artifactsDir(); // build/artifacts, kept after the run

    // Starts the program (a copy named fileName in the bin folder).
    QProcess *startProgram(const QString &fileName = "tarven");
    // A process environment with this session's display and folders.
    QProcessEnvironment environment() const;

    // xdotool, returning its standard output (trimmed); throws on failure when asked.
    QString xdotool(const QStringList &args, int timeoutMs = 20000) const;
    // Waits for a visible window whose title matches the pattern; its id, or "" on time-out.
    QString waitForWindow(const QString &namePattern, int timeoutMs = 20000, int pollMs = 200) const;
    bool windowExists(const QString &namePattern) const;
    void typeText(const QString &windowId, const QString &text) const;
    void key(const QString &windowId, const QString &keys) const;
    void screenshot(const QString &fileName) const;
    // Signs in through the dialog with keys only: the user id, moveKey (Enter or Tab) to the
    // password, Enter to submit. Returns the main window's id, or "" when it did not appear.
    QString signIn(const QString &user, const QString &password, const QString &moveKey = "Return") const;
    // File > Quit with the keyboard.
    void quitThroughMenu(const QString &window) const;
    // Quits through the menu until the program ends or timeoutMs pass (a command sent just
    // before may still be on its way through the pipe); whether it ended.
    bool quitAndWait(const QString &window, QProcess *program, int timeoutMs = 15000) const;
    // Attachments the program's copies hold on the server (a hosted view with data holds one).
    int programAttachments(const TestDatabase &db) const;
    // A left click at a point of the window.
    void clickAt(const QString &window, int x, int y) const;
    // Writes one message to the program's command pipe from another process.
    void sendToPipe(const QByteArray &message) const;

private:
    QTemporaryDir dir_;
    QString display_;
    QString binDir_;
    QProcess xvfb_;
    std::vector<std::unique_ptr<QProcess>> programs_;
};
