// Commands through the pipe components, from PipeClient::write of the decimal text to the
// pipeMessage slot on the main thread, against a bare SOCK_SEQPACKET send-and-receive
// loop between two sockets of this process. Prints both times, per-message times and
// their ratio; the best of a few rounds counts, to keep a busy machine's noise out.

#include "pipes/PipeClient.h"
#include "pipes/PipeServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kCommands = 10000;
constexpr int kRounds = 5;

// Nanoseconds for kCommands messages through the pipe components, or -1 on failure.
qint64 timePipeComponents(const QString &pipeName)
{
    pipes::PipeServer server;
    server.setPipeName(pipeName);
    server.setActive(true);
    pipes::PipeClient client;
    client.setPipeName(pipeName);
    if (!client.connectToPipe(2000))
        return -1;

    int received = 0;
    QEventLoop allReceived;
    QObject::connect(&server, &pipes::PipeServer::pipeMessage, &allReceived, [&] {
        received += 1;
        if (received == kCommands)
            allReceived.quit();
    });
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kCommands; ++i)
        client.write(QByteArray::number(i));
    if (received < kCommands)
        allReceived.exec();
    return clock.nsecsElapsed();
}

// Nanoseconds for kCommands send-then-receive pairs over a bare socket pair.
qint64 timeBareSockets()
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0)
        return -1;
    char buffer[64];
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kCommands; ++i) {
        const QByteArray text = QByteArray::number(i);
        if (::send(ends[0], text.constData(), size_t(text.size()), 0) != text.size()
            || ::recv(ends[1], buffer, sizeof buffer, 0) != text.size())
            return -1;
    }
    const qint64 elapsed = clock.nsecsElapsed();
    ::close(ends[0]);
    ::close(ends[1]);
    return elapsed;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir runtimeDir; // no real pipe is touched
    if (!runtimeDir.isValid())
        return 1;
    qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
    QFile::setPermissions(runtimeDir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCoreApplication app(argc, argv);

    qint64 pipeBest = std::numeric_limits<qint64>::max();
    qint64 bareBest = std::numeric_limits<qint64>::max();
    for (int round = 0; round < kRounds; ++round) {
        const qint64 pipe = timePipeComponents(QStringLiteral("bench-pipe-%1").arg(round));
        const qint64 bare = timeBareSockets();
        if (pipe < 0 || bare < 0) {
            std::fprintf(stderr, "bench_pipes: a round failed\n");
            return 1;
        }
        pipeBest = std::min(pipeBest, pipe);
        bareBest = std::min(bareBest, bare);
    }
    std::printf("commands per round: %d (best of %d rounds)\n", kCommands, kRounds);
    std::printf("baseline  bare SOCK_SEQPACKET send+recv: %9.3f ms  %7.3f us/message\n", bareBest / 1e6,
                bareBest / 1e3 / kCommands);
    std::printf("PipeClient::write -> pipeMessage slot:  %9.3f ms  %7.3f us/message\n", pipeBest / 1e6,
                pipeBest / 1e3 / kCommands);
    std::printf("ratio pipe components / baseline: %.2f\n", double(pipeBest) / double(bareBest));
    return 0;
}
