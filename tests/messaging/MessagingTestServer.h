#pragma once

#include <messaging/MessagingProtocol.h>

#include <QHash>
#include <QList>
#include <QObject>
#include <QTcpServer>

class QTcpSocket;

// A small server of the room messaging protocol for tests: listens on 127.0.0.1 on a port
// the system picks, accepts joins, relays each message to the other members of its room and
// keeps a record of what it saw.
class MessagingTestServer : public QObject {
    Q_OBJECT
public:
    struct Join {
        QString room;
        QString user;
    };
    struct Message {
        QString room;
        QString user;
        QString text;
    };

    explicit MessagingTestServer(QObject *parent = nullptr);
    ~MessagingTestServer() override;

    bool listen();
    quint16 port() const { return server_.serverPort(); }
    int clientCount() const { return int(clients_.size()); }

    QList<Join> joins;
    QList<Message> messages;

signals:
    void joined(const QString &room, const QString &user);
    void messageReceived(const QString &room, const QString &user, const QString &text);
    void clientGone();

private:
    struct Client {
        messaging::protocol::LineReader reader;
        QString room;
        QString user;
    };

    void onNewConnection();
    void onReadyRead(QTcpSocket *socket);
    void handleLine(QTcpSocket *socket, const QByteArray &line);
    void handleJoin(QTcpSocket *socket, const QStringList &args);
    void handleMessage(QTcpSocket *socket, const QString &text);

    QTcpServer server_;
    QHash<QTcpSocket *, Client> clients_;
};
