// The command pipe over real Unix sockets: server and clients in this process, plus bare
// sockets for clients that misbehave.

#include "RawSeqPacketClient.h"
#include "pipes/PipeClient.h"
#include "pipes/PipeServer.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QPointer>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <stdexcept>
#include <cstring>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using pipes::PipeClient;
using pipes::PipeServer;

namespace {
constexpr int kDeliveryTimeoutMs = 20000;
}

class PipeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void messagesArriveWholeAndInOrder_data();
    void messagesArriveWholeAndInOrder();
    void emptyMessagesAreDelivered();
    void oversizedMessageIsDroppedAndNextArrives_data();
    void oversizedMessageIsDroppedAndNextArrives();
    void clientsThatLeaveOrMisbehave_data();
    void clientsThatLeaveOrMisbehave();
    void staleSocketFileIsReplaced();
    void fileThatIsNoSocketIsLeftAlone();
    void secondServerDoesNotStealLivePipe();
    void writeWithoutConnectionReturnsFalse();
    void clientLearnsServerWentAway();
    void deliveredInsideModalDialog();
    void noReentrantDelivery();
    void deactivatingInsideSlotStopsDelivery();
    void floodArrivesCompleteAndInOrder_data();
    void floodArrivesCompleteAndInOrder();
    void memoryThrottleWaitsForSameThreadReader();
    void flushSendsBeforeDisconnect();
    void otherAccountIsRefused();

private:
    QString freshName() { return QStringLiteral("tst-pipe-%1").arg(++counter_); }
    QString pathOf(const QString &name) const { return runtimeDir_.path() + QLatin1Char('/') + name; }
    void startServer();
    std::unique_ptr<PipeClient> connectedClient();

    QTemporaryDir runtimeDir_;
    int counter_ = 0;
    std::unique_ptr<PipeServer> server_;
    QList<QByteArray> received_;
};

void PipeTest::initTestCase()
{
    // A runtime dir of the test's own (0700, as the real one), so that no real pipe is touched.
    QVERIFY(runtimeDir_.isValid());
    QFile::setPermissions(runtimeDir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtimeDir_.path().toLocal8Bit());
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation), runtimeDir_.path());
}

void PipeTest::init()
{
    received_.clear();
    server_ = std::make_unique<PipeServer>();
    server_->setPipeName(freshName());
    connect(server_.get(), &PipeServer::pipeMessage, this, [this](const QByteArray &m) { received_.append(m); });
}

void PipeTest::cleanup()
{
    server_.reset();
}

void PipeTest::startServer()
{
    server_->setActive(true);
    QVERIFY(server_->isActive());
    QCOMPARE(server_->socketPath(), pathOf(server_->pipeName()));
    struct stat status {};
    QCOMPARE(::stat(QFile::encodeName(server_->socketPath()).constData(), &status), 0);
    QCOMPARE(status.st_mode & 0777, 0600u);
}

std::unique_ptr<PipeClient> PipeTest::connectedClient()
{
    auto client = std::make_unique<PipeClient>();
    client->setPipeName(server_->pipeName());
    if (!client->connectToPipe(2000))
        qWarning("client could not connect");
    return client;
}

// Client i sends "i:j:" padded with x to `size` bytes, for j = 0..count-1.
static QByteArray numbered(int client, int index, int size)
{
    QByteArray message = QByteArray::number(client) + ':' + QByteArray::number(index) + ':';
    if (message.size() < size)
        message.append(size - message.size(), 'x');
    return message;
}

void PipeTest::messagesArriveWholeAndInOrder_data()
{
    QTest::addColumn<int>("clients");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("size");
    QTest::newRow("one client, command-sized") << 1 << 50 << 0;
    QTest::newRow("one client, exactly 64 KiB") << 1 << 3 << PipeServer::maxMessageSize();
    QTest::newRow("four clients, command-sized") << 4 << 200 << 0;
    QTest::newRow("three clients, 30000 bytes") << 3 << 20 << 30000;
}

void PipeTest::messagesArriveWholeAndInOrder()
{
    QFETCH(int, clients);
    QFETCH(int, count);
    QFETCH(int, size);
    startServer();
    std::vector<std::unique_ptr<PipeClient>> senders;
    for (int c = 0; c < clients; ++c)
        senders.push_back(connectedClient());
    for (int j = 0; j < count; ++j)
        for (int c = 0; c < clients; ++c)
            QVERIFY(senders[c]->write(numbered(c, j, size)));

    QTRY_COMPARE_WITH_TIMEOUT(received_.size(), clients * count, kDeliveryTimeoutMs);
    std::vector<int> next(clients, 0);
    for (const QByteArray &message : std::as_const(received_)) {
        const QList<QByteArray> parts = message.split(':');
        QCOMPARE(parts.size(), 3);
        const int c = parts[0].toInt();
        QVERIFY(c >= 0 && c < clients);
        QCOMPARE(message, numbered(c, next[c]++, size));
    }
    QCOMPARE(server_->clientCount(), clients);
}

void PipeTest::emptyMessagesAreDelivered()
{
    startServer();
    auto client = connectedClient();
    for (const char *text : {"", "3", "", ""})
        QVERIFY(client->write(QByteArray(text)));
    QTRY_COMPARE_WITH_TIMEOUT(received_.size(), 4, kDeliveryTimeoutMs);
    QCOMPARE(received_, (QList<QByteArray>{"", "3", "", ""}));
    QVERIFY(!received_.first().isNull() || received_.first().isEmpty());
    QCOMPARE(server_->clientCount(), 1); // an empty message is not the end of the connection
}

void PipeTest::oversizedMessageIsDroppedAndNextArrives_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("one byte too many") << PipeServer::maxMessageSize() + 1;
    QTest::newRow("150000 bytes") << 150000;
}

void PipeTest::oversizedMessageIsDroppedAndNextArrives()
{
    QFETCH(int, size);
    startServer();
    RawSeqPacketClient raw(server_->socketPath());
    QVERIFY(raw.send("before"));
    QVERIFY(raw.send(QByteArray(size, '9')));
    QVERIFY(raw.send("5"));
    QTRY_COMPARE_WITH_TIMEOUT(received_.size(), 2, kDeliveryTimeoutMs);
    QCOMPARE(received_, (QList<QByteArray>{"before", "5"}));
    QCOMPARE(server_->clientCount(), 1);
}

void PipeTest::clientsThatLeaveOrMisbehave_data()
{
    QTest::addColumn<QList<QByteArray>>("sent");
    QByteArray garbage(1000, Qt::Uninitialized);
    for (char &byte : garbage)
        byte = char(QRandomGenerator::global()->bounded(256));
    QList<QByteArray> burst;
    for (int i = 0; i < 100; ++i)
        burst.append(QByteArray::number(i));

    QTest::newRow("connects and leaves") << QList<QByteArray>{};
    QTest::newRow("leaves right after writing") << QList<QByteArray>{"4"};
    QTest::newRow("leaves right after an empty message") << QList<QByteArray>{"2", ""};
    QTest::newRow("leaves after a burst") << burst;
    QTest::newRow("garbage bytes") << QList<QByteArray>{garbage, QByteArray(1, '\0')};
}

void PipeTest::clientsThatLeaveOrMisbehave()
{
    QFETCH(QList<QByteArray>, sent);
    startServer();
    {
        RawSeqPacketClient raw(server_->socketPath());
        QVERIFY(raw.isConnected());
        for (const QByteArray &message : sent)
            QVERIFY(raw.send(message));
    } // gone before the server read anything

    QTRY_COMPARE_WITH_TIMEOUT(received_.size(), sent.size(), kDeliveryTimeoutMs);
    QTest::qWait(50); // room for anything wrongly delivered after the hang-up
    QCOMPARE(received_, sent); // all of it, once each
    QTRY_COMPARE_WITH_TIMEOUT(server_->clientCount(), 0, kDeliveryTimeoutMs);

    auto client = connectedClient(); // the server carries on
    QVERIFY(client->write("after"));
    QTRY_COMPARE_WITH_TIMEOUT(received_.size(), sent.size() + 1, kDeliveryTimeoutMs);
    QCOMPARE(received_.last(), QByteArray("after"));
}

void PipeTest::staleSocketFileIsReplaced()
{
    const QString path = pathOf(server_->pipeName());
    QVERIFY(leaveStaleSocketFile(path));
    QVERIFY(QFile::exists(path));
    startServer();
    auto client = connectedClient();
    QVERIFY(client->write("0"));
    QTRY_COMPARE_WITH_TIMEOUT(received_, QList<QByteArray>{"0"}, kDeliveryTimeoutMs);
    server_->setActive(false);
    QVERIFY(!QFile::exists(path));
}

void PipeTest::fileThatIsNoSocketIsLeftAlone()
{
    QFile file(pathOf(server_->pipeName()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, server_->setActive(true));
    QVERIFY(!server_->isActive());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("keep me"));
}

void PipeTest::secondServerDoesNotStealLivePipe()
{
    startServer();
    PipeServer second;
    second.setPipeName(server_->pipeName());
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, second.setActive(true));
    QVERIFY(!second.isActive());
    QVERIFY(QFile::exists(server_->socketPath()));

    auto client = connectedClient();
    QVERIFY(client->write("1"));
    QTRY_COMPARE_WITH_TIMEOUT(received_, QList<QByteArray>{"1"}, kDeliveryTimeoutMs);

    // Once the first has stopped, the name is free again.
    server_->setActive(false);
    second.setActive(true);
    QVERIFY(second.isActive());
}

void PipeTest::writeWithoutConnectionReturnsFalse()
{
    PipeClient client;
    client.setPipeName(server_->pipeName());
    QVERIFY(!client.write("0"));
    QVERIFY(!client.connectToPipe(50)); // nobody serves the name yet
    QVERIFY(!client.isConnected());
    QVERIFY(!client.write("0"));

    startServer();
    QVERIFY(client.connectToPipe(2000));
    QVERIFY(client.write("3"));
    QTRY_COMPARE_WITH_TIMEOUT(received_, QList<QByteArray>{"3"}, kDeliveryTimeoutMs); // not the dropped "0"
}

void PipeTest::clientLearnsServerWentAway()
{
    startServer();
    auto client = connectedClient();
    QSignalSpy gone(client.get(), &PipeClient::disconnected);
    server_->setActive(false);
    QTRY_COMPARE_WITH_TIMEOUT(gone.size(), 1, kDeliveryTimeoutMs);
    QVERIFY(!client->isConnected());
    QVERIFY(!client->write("0"));
}

void PipeTest::deliveredInsideModalDialog()
{
    startServer();
    auto client = connectedClient();
    QDialog dialog;
    bool dialogWasOpen = false;
    connect(server_.get(), &PipeServer::pipeMessage, &dialog, [&] {
        dialogWasOpen = dialog.isVisible();
        dialog.accept();
    });
    QTimer::singleShot(0, client.get(), [&] { client->write("2"); });
    QTimer::singleShot(kDeliveryTimeoutMs, &dialog, &QDialog::reject); // never hang the suite
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QVERIFY(dialogWasOpen);
    QCOMPARE(received_, QList<QByteArray>{"2"});
}

void PipeTest::noReentrantDelivery()
{
    startServer();
    auto client = connectedClient();
    int depth = 0;
    int deepest = 0;
    qsizetype deliveredDuringNestedLoop = -1;
    connect(server_.get(), &PipeServer::pipeMessage, this, [&](const QByteArray &message) {
        deepest = std::max(deepest, ++depth);
        if (message == "a") {
            // A slot that opens its own loop, as a message box would; more messages arrive
            // and are read meanwhile.
            QEventLoop nested;
            QTimer::singleShot(10, client.get(), [&] { client->write("b"); client->write("c"); });
            QTimer::singleShot(300, &nested, &QEventLoop::quit);
            nested.exec();
            deliveredDuringNestedLoop = received_.size();
        }
        --depth;
    });
    QVERIFY(client->write("a"));
    QTRY_COMPARE_WITH_TIMEOUT(received_.size(), 3, kDeliveryTimeoutMs);
    QCOMPARE(received_, (QList<QByteArray>{"a", "b", "c"}));
    QCOMPARE(deliveredDuringNestedLoop, 1);
    QCOMPARE(deepest, 1);
}

void PipeTest::deactivatingInsideSlotStopsDelivery()
{
    startServer();
    RawSeqPacketClient raw(server_->socketPath());
    for (const char *text : {"1", "2", "3"})
        QVERIFY(raw.send(text));
    connect(server_.get(), &PipeServer::pipeMessage, this, [this] { server_->setActive(false); });
    QTRY_VERIFY_WITH_TIMEOUT(!server_->isActive(), kDeliveryTimeoutMs);
    QTest::qWait(100);
    QCOMPARE(received_, QList<QByteArray>{"1"});
    QCOMPARE(server_->clientCount(), 0);
}

void PipeTest::floodArrivesCompleteAndInOrder_data()
{
    QTest::addColumn<int>("clients");
    QTest::newRow("one client") << 1;
    QTest::newRow("four clients") << 4;
}

void PipeTest::floodArrivesCompleteAndInOrder()
{
    QFETCH(int, clients);
    constexpr int total = 10000;
    startServer();
    std::vector<std::unique_ptr<PipeClient>> senders;
    for (int c = 0; c < clients; ++c)
        senders.push_back(connectedClient());
    for (int i = 0; i < total; ++i)
        QVERIFY(senders[i % clients]->write(QByteArray::number(i)));

    QTRY_COMPARE_WITH_TIMEOUT(received_.size(), total, 60000);
    std::vector<int> last(clients, -1);
    QSet<QByteArray> seen;
    for (const QByteArray &message : std::as_const(received_)) {
        const int i = message.toInt();
        QVERIFY2(!seen.contains(message), message.constData());
        seen.insert(message);
        QVERIFY(last[i % clients] < i); // per sender, in writing order
        last[i % clients] = i;
    }
    if (clients == 1)
        QCOMPARE(last[0], total - 1);
}

void PipeTest::memoryThrottleWaitsForSameThreadReader()
{
    startServer();
    auto client = connectedClient();
    client->setMemoryThrottle(4000);
    constexpr int count = 2000;
    for (int i = 0; i < count; ++i)
        QVERIFY(client->write(numbered(0, i, 1000)));
    // The throttle made writes wait while the server, in this same thread, read; only what
    // the socket buffers hold can still be on its way.
    QVERIFY2(received_.size() > count / 2, qPrintable(QString::number(received_.size())));
    QTRY_COMPARE_WITH_TIMEOUT(received_.size(), count, kDeliveryTimeoutMs);
    for (int i = 0; i < count; ++i)
        QCOMPARE(received_[i], numbered(0, i, 1000));
}

void PipeTest::flushSendsBeforeDisconnect()
{
    startServer();
    auto client = connectedClient();
    for (int i = 0; i < 100; ++i)
        QVERIFY(client->write(QByteArray::number(i)));
    client->flush();
    client.reset(); // a deliberate exit right after the flush
    QTRY_COMPARE_WITH_TIMEOUT(received_.size(), 100, kDeliveryTimeoutMs);
    QCOMPARE(received_.last(), QByteArray("99"));
}

void PipeTest::otherAccountIsRefused()
{
    if (::geteuid() != 0)
        QSKIP("needs root to act as another account");
    startServer();
    // Loosen the file modes on purpose: the peer check alone must refuse the stranger.
    const QByteArray path = QFile::encodeName(server_->socketPath());
    const QByteArray dir = QFile::encodeName(runtimeDir_.path());
    QCOMPARE(::chmod(dir.constData(), 0711), 0);
    QCOMPARE(::chmod(path.constData(), 0666), 0);

    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof(address.sun_path) - 1);
    const pid_t child = ::fork();
    if (child == 0) {
        // Only system calls in the child (another thread may hold the allocator's lock):
        // connect as "nobody" and write.
        // Raw system calls: glibc's setuid() wants to signal threads the child lacks.
        if (::syscall(SYS_setgid, 65534) != 0 || ::syscall(SYS_setuid, 65534) != 0)
            ::_exit(2);
        const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET, 0);
        if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0
            || ::send(fd, "2", 1, MSG_NOSIGNAL) != 1)
            ::_exit(3);
        ::_exit(0);
    }
    QVERIFY(child > 0);
    int status = 0;
    bool reaped = false; // QTRY_* would evaluate waitpid once more after success
    for (QDeadlineTimer patience(kDeliveryTimeoutMs); !reaped && !patience.hasExpired();) {
        reaped = ::waitpid(child, &status, WNOHANG) == child;
        QTest::qWait(10);
    }
    QVERIFY(reaped);
    ::chmod(dir.constData(), 0700);
    QCOMPARE(WEXITSTATUS(status), 0); // it did get to write
    QTest::qWait(200);
    QVERIFY(received_.isEmpty());
    QCOMPARE(server_->clientCount(), 0);
}

QTEST_MAIN(PipeTest)
#include "tst_pipes.moc"
