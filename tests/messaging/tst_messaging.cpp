#include "MessagingTestServer.h"

#include <messaging/MessagingProtocol.h>
#include <messaging/TcpMessagingClient.h>

#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

using messaging::TcpMessagingClient;
namespace protocol = messaging::protocol;

class MessagingTest : public QObject {
    Q_OBJECT

private:
    static void configure(TcpMessagingClient &client, quint16 port, const QString &user = QStringLiteral("radivir"))
    {
        client.setHost(QStringLiteral("127.0.0.1"));
        client.setPort(port);
        client.setRoom(QStringLiteral("lorvek3"));
        client.setUserName(user);
    }

    // A port on which nothing listens: one the system just handed out and took back.
    static quint16 closedPort()
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0))
            return 0;
        const quint16 port = probe.serverPort();
        probe.close();
        return port;
    }

private slots:
    void joinsRoomSendsTextAndDisconnects()
    {
        MessagingTestServer server;
        QVERIFY(server.listen());
        TcpMessagingClient client;
        configure(client, server.port());
        QSignalSpy joined(&client, &TcpMessagingClient::joined);
        QSignalSpy errors(&client, &TcpMessagingClient::errorOccurred);

        client.connectToServer();
        QVERIFY(!client.isConnected());  // connecting goes on in the background
        QTRY_COMPARE(joined.size(), 1);
        QCOMPARE(server.joins.size(), 1);
        QCOMPARE(server.joins.at(0).room, QStringLiteral("lorvek3"));
        QCOMPARE(server.joins.at(0).user, QStringLiteral("radivir"));

        QVERIFY(client.sendText(QStringLiteral("0")));
        QTRY_COMPARE(server.messages.size(), 1);
        QCOMPARE(server.messages.at(0).text, QStringLiteral("0"));
        QCOMPARE(server.messages.at(0).user, QStringLiteral("radivir"));
        QCOMPARE(server.messages.at(0).room, QStringLiteral("lorvek3"));

        client.disconnectFromServer();
        QTRY_COMPARE(server.clientCount(), 0);
        QVERIFY(!client.isConnected());
        QVERIFY(!client.sendText(QStringLiteral("0")));
        QTest::qWait(50);
        QCOMPARE(server.messages.size(), 1);
        QCOMPARE(errors.size(), 0);
    }

    void textReachesOtherMembersUnchanged_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("digit") << QStringLiteral("0");
        QTest::newRow("empty") << QString();
        QTest::newRow("line breaks") << QStringLiteral("two\nlines\r\nand more");
        QTest::newRow("backslashes") << QStringLiteral("a\\nb\\");
        QTest::newRow("non-ASCII") << QStringLiteral("Rp 1.500 \u00e9\u20ac");
    }

    void textReachesOtherMembersUnchanged()
    {
        QFETCH(QString, text);
        MessagingTestServer server;
        QVERIFY(server.listen());
        TcpMessagingClient sender, receiver;
        configure(sender, server.port());
        configure(receiver, server.port(), QStringLiteral("kasir"));
        QSignalSpy received(&receiver, &TcpMessagingClient::textReceived);
        QSignalSpy receiverJoined(&receiver, &TcpMessagingClient::joined);
        QSignalSpy senderJoined(&sender, &TcpMessagingClient::joined);
        receiver.connectToServer();
        sender.connectToServer();
        QTRY_COMPARE(receiverJoined.size(), 1);
        QTRY_COMPARE(senderJoined.size(), 1);

        QVERIFY(sender.sendText(text));
        QTRY_COMPARE(received.size(), 1);
        QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("radivir"));
        QCOMPARE(received.at(0).at(1).toString(), text);
    }

    void refusedConnectionIsReportedAndClientStaysUsable()
    {
        const quint16 port = closedPort();
        QVERIFY(port != 0);
        TcpMessagingClient client;
        configure(client, port);
        QSignalSpy errors(&client, &TcpMessagingClient::errorOccurred);

        client.connectToServer();
        QCOMPARE(errors.size(), 0);  // reported later, never from inside the call
        QTRY_COMPARE(errors.size(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("Connection refused"));
        QVERIFY(!client.isConnected());

        // Sending now does nothing and reports nothing.
        QVERIFY(!client.sendText(QStringLiteral("0")));
        QTest::qWait(50);
        QCOMPARE(errors.size(), 1);

        MessagingTestServer server;
        QVERIFY(server.listen());
        client.setPort(server.port());
        client.connectToServer();
        QTRY_VERIFY(client.isJoined());
        QVERIFY(client.sendText(QStringLiteral("0")));
        QTRY_COMPARE(server.messages.size(), 1);
        QCOMPARE(errors.size(), 1);
    }

    void invalidNamesAreReportedWithoutConnecting()
    {
        MessagingTestServer server;
        QVERIFY(server.listen());
        TcpMessagingClient client;
        configure(client, server.port(), QStringLiteral("two words"));
        QSignalSpy errors(&client, &TcpMessagingClient::errorOccurred);
        client.connectToServer();
        QTRY_COMPARE(errors.size(), 1);
        QTest::qWait(50);
        QCOMPARE(server.joins.size(), 0);
        QVERIFY(!client.isConnected());
    }

    void serverErrorLinesAreReported()
    {
        // A server that refuses every join.
        QTcpServer raw;
        QVERIFY(raw.listen(QHostAddress::LocalHost, 0));
        connect(&raw, &QTcpServer::newConnection, &raw, [&raw] {
            raw.nextPendingConnection()->write(protocol::errorLine(QStringLiteral("room is closed")));
        });
        TcpMessagingClient client;
        configure(client, raw.serverPort());
        QSignalSpy errors(&client, &TcpMessagingClient::errorOccurred);
        client.connectToServer();
        QTRY_COMPARE(errors.size(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("room is closed"));
        QVERIFY(!client.isJoined());
    }

    void malformedLinesAreRejected_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("join without user") << QByteArray("JOIN lorvek3");
        QTest::newRow("join with blank in user") << QByteArray("JOIN lorvek3 radi vir");
        QTest::newRow("joined without arguments") << QByteArray("JOINED");
        QTest::newRow("from without text") << QByteArray("FROM radivir");
        QTest::newRow("leave with argument") << QByteArray("LEAVE now");
    }

    void malformedLinesAreRejected()
    {
        QFETCH(QByteArray, line);
        QVERIFY(!protocol::parseLine(line).has_value());
    }

    void overlongLineIsDetected()
    {
        protocol::LineReader reader;
        reader.append(QByteArray("MSG ") + QByteArray(protocol::maxLineBytes, 'x'));
        QVERIFY(!reader.next().has_value());
        QVERIFY(reader.overflowed());
    }
};

QTEST_GUILESS_MAIN(MessagingTest)
#include "tst_messaging.moc"
