#include "GuiHarness.h"

#include "TestDatabase.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <stdexcept>

namespace {

QString runChecked(const QString &program, const QStringList &args, const QProcessEnvironment &env, int timeoutMs)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw std::runtime_error(QString("%1 %2 failed: %3")
                                     .arg(program, args.join(' '), QString::fromLocal8Bit(p.readAllStandardError()))
                                     .toStdString());
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

} // namespace

GuiHarness::GuiHarness(const TestDatabase &db)
{
    // -displayfd makes Xvfb choose a free display and tell us its number.
    xvfb_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
    if (!xvfb_.waitForReadyRead(20000))
        throw std::runtime_error("Xvfb did not start");
    display_ = ":" + QString::fromLatin1(xvfb_.readLine()).trimmed();

    QDir(dir_.path()).mkpath("bin");
    QDir(dir_.path()).mkpath("runtime");
    QDir(dir_.path()).mkpath("data");
    QFile::setPermissions(runtimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    binDir_ = dir_.path() + "/bin";
    runChecked(TARVEN_CONNFILE_BINARY,
               {"--host", TestDatabase::host(), "--database", db.path(), "--user", TestDatabase::user(),
                "--password", TestDatabase::password(), "--institution", "Apotek Uji Coba", "--address",
                "Jl. Percobaan No. 1, Bandung", "--output-dir", binDir_},
               QProcessEnvironment::systemEnvironment(), 20000);
}

GuiHarness::~GuiHarness()
{
    for (auto &p : programs_) {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished(5000);
        }
    }
    xvfb_.terminate();
    xvfb_.waitForFinished(5000);
}

QString GuiHarness::executablePath() const { return binDir_ + "/tarven"; }
QString GuiHarness::runtimeDir() const { return dir_.path() + "/runtime"; }

QString GuiHarness::artifactsDir()
{
    const QString path = QString(TARVEN_BINARY_DIR) + "/artifacts";
    QDir().mkpath(path);
    return path;
}

QProcessEnvironment GuiHarness::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display_);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("XDG_RUNTIME_DIR", runtimeDir());
    env.insert("XDG_DATA_HOME", dir_.path() + "/data");
    env.insert("HOME", dir_.path());
    return env;
}

QProcess *GuiHarness::startProgram(const QString &fileName)
{
    const QString target = binDir_ + "/" + fileName;
    if (!QFile::exists(target) && !QFile::copy(TARVEN_BINARY, target))
        throw std::runtime_error("cannot copy the executable");
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(target, {});
    if (!process->waitForStarted(10000))
        throw std::runtime_error("the program did not start");
    programs_.push_back(std::move(process));
    return programs_.back().get();
}

QString GuiHarness::xdotool(const QStringList &args, int timeoutMs) const
{
    return runChecked("xdotool", args, environment(), timeoutMs);
}

QString GuiHarness::waitForWindow(const QString &namePattern, int timeoutMs, int pollMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start("xdotool", {"search", "--onlyvisible", "--name", namePattern});
        p.waitForFinished(5000);
        const QStringList ids = QString::fromLatin1(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        if (!ids.isEmpty())
            return ids.last().trimmed();
        QThread::msleep(pollMs);
    }
    return {};
}

bool GuiHarness::windowExists(const QString &namePattern) const { return !waitForWindow(namePattern, 1).isEmpty(); }

void GuiHarness::typeText(const QString &windowId, const QString &text) const
{
    xdotool({"windowfocus", "--sync", windowId});
    xdotool({"type", "--delay", "30", text});
}

void GuiHarness::key(const QString &windowId, const QString &keys) const
{
    xdotool({"windowfocus", "--sync", windowId});
    xdotool({"key", "--delay", "60", keys});
}

void GuiHarness::screenshot(const QString &fileName) const
{
    runChecked("import", {"-display", display_, "-window", "root", artifactsDir() + "/" + fileName}, environment(),
               30000);
}

QString GuiHarness::signIn(const QString &user, const QString &password, const QString &moveKey) const
{
    const QString login = waitForWindow("gembok");
    if (login.isEmpty())
        return {};
    typeText(login, user);
    key(login, moveKey);
    typeText(login, password);
    key(login, "Return");
    return waitForWindow("Velmora @ Trivane");
}

void GuiHarness::quitThroughMenu(const QString &window) const
{
    key(window, "alt+f");
    QThread::msleep(400);
    key(window, "q");
}

bool GuiHarness::quitAndWait(const QString &window, QProcess *program, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        quitThroughMenu(window);
        if (program->waitForFinished(2000))
            return true;
    }
    return false;
}

int GuiHarness::programAttachments(const TestDatabase &db) const
{
    return db.scalar("select count(*) from mon$attachments where mon$remote_process starting with '" + binDir_ + "/'")
        .toInt();
}

void GuiHarness::clickAt(const QString &window, int x, int y) const
{
    xdotool({"mousemove", "--window", window, QString::number(x), QString::number(y)});
    xdotool({"click", "1"});
}

void GuiHarness::sendToPipe(const QByteArray &message) const
{
    runChecked(PIPE_SEND_BINARY, {runtimeDir() + "/pipeZQ", QString::fromLatin1(message.toHex())}, environment(),
               10000);
}
