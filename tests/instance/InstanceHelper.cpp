#include "InstanceHelper.h"

#include "instance/SingleInstance.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>

#include <cstdio>
#include <cstring>
#include <functional>
#include <unistd.h>

namespace {

void say(const char *line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

// Calls back with every whole line read from standard input; an empty QByteArray stands
// for the end of the input.
class StdinLines : public QObject {
public:
    explicit StdinLines(std::function<void(const QByteArray &)> onLine)
        : onLine_(std::move(onLine)), notifier_(STDIN_FILENO, QSocketNotifier::Read)
    {
        connect(&notifier_, &QSocketNotifier::activated, this, [this] { readSome(); });
    }

private:
    void readSome()
    {
        char chunk[256];
        const ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (got <= 0) {
            notifier_.setEnabled(false);
            onLine_(QByteArray());
            return;
        }
        pending_.append(chunk, got);
        for (qsizetype end; (end = pending_.indexOf('\n')) >= 0;) {
            const QByteArray line = pending_.left(end);
            pending_.remove(0, end + 1);
            onLine_(line);
        }
    }

    std::function<void(const QByteArray &)> onLine_;
    QSocketNotifier notifier_;
    QByteArray pending_;
};

int hold(instance::SingleInstance &guard)
{
    if (!guard.claim()) {
        say("claim=0");
        return 0;
    }
    say("claim=1");
    QEventLoop *announcement = nullptr;
    QObject::connect(&guard, &instance::SingleInstance::secondRun, [&] {
        say("secondRun");
        QEventLoop loop;
        announcement = &loop;
        loop.exec();
        announcement = nullptr;
        say("returned");
    });
    StdinLines input([&](const QByteArray &line) {
        if (line == "release" && announcement)
            announcement->quit();
        else if (line.isEmpty() || line == "quit")
            QCoreApplication::exit(0);
    });
    return QCoreApplication::exec();
}

} // namespace

bool isInstanceHelperCall(int argc, char **argv)
{
    return argc >= 4 && std::strcmp(argv[1], "--instance-helper") == 0;
}

int runInstanceHelper(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString mode = QString::fromLocal8Bit(argv[2]);
    instance::SingleInstance guard(QString::fromLocal8Bit(argv[3]));
    if (mode == QLatin1String("hold"))
        return hold(guard);
    const int timeoutMs = argc >= 5 ? std::atoi(argv[4]) : -1;
    say(guard.claim(timeoutMs) ? "claim=1" : "claim=0");
    return 0;
}
