#pragma once

#include "MessagingProtocol.h"

#include <QObject>
#include <QString>

class QTcpSocket;

namespace messaging {

// Client of a room messaging server (protocol in PROTOCOL.md). Connecting happens in the
// background: connectToServer() returns at once, the client joins its room under its user
// name as soon as the connection stands, and a refused or failed connection is reported
// later through errorOccurred() with the socket's own error text. Sending while not
// connected does nothing and reports nothing.
class TcpMessagingClient : public QObject {
    Q_OBJECT
public:
    explicit TcpMessagingClient(QObject *parent = nullptr);
    ~TcpMessagingClient() override;  // disconnects

    void setHost(const QString &host) { host_ = host; }
    QString host() const { return host_; }
    void setPort(quint16 port) { port_ = port; }
    quint16 port() const { return port_; }
    void setRoom(const QString &room) { room_ = room; }
    QString room() const { return room_; }
    void setUserName(const QString &userName) { userName_ = userName; }
    QString userName() const { return userName_; }

    void connectToServer();
    void disconnectFromServer();
    bool isConnected() const;
    bool isJoined() const { return joined_; }

    // Sends a text message to the room; returns whether it was handed to the connection.
    bool sendText(const QString &text);

signals:
    void connected();     // the connection stands and the join request is on its way
    void joined();        // the server accepted the join
    void disconnected();  // the connection ended (either side)
    void errorOccurred(const QString &message);
    void textReceived(const QString &userName, const QString &text);

private:
    void onConnected();
    void onReadyRead();
    void onSocketError();
    void onDisconnected();
    void handleLine(const QByteArray &line);
    void reportLater(const QString &message);

    QString host_ = QStringLiteral("127.0.0.1");
    quint16 port_ = 0;
    QString room_;
    QString userName_;
    QTcpSocket *socket_ = nullptr;
    protocol::LineReader reader_;
    bool joined_ = false;
    bool leaving_ = false;
};

} // namespace messaging
