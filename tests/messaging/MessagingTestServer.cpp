#include "MessagingTestServer.h"

#include <QTcpSocket>

namespace protocol = messaging::protocol;

MessagingTestServer::MessagingTestServer(QObject *parent) : QObject(parent)
{
    connect(&server_, &QTcpServer::newConnection, this, &MessagingTestServer::onNewConnection);
}

MessagingTestServer::~MessagingTestServer()
{
    // The sockets die with the listening server, after the record of them: stop listening
    // to them first.
    for (QTcpSocket *socket : clients_.keys())
        socket->disconnect(this);
}

bool MessagingTestServer::listen()
{
    return server_.listen(QHostAddress::LocalHost, 0);
}

void MessagingTestServer::onNewConnection()
{
    while (QTcpSocket *socket = server_.nextPendingConnection()) {
        clients_.insert(socket, Client{});
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            clients_.remove(socket);
            socket->deleteLater();
            emit clientGone();
        });
    }
}

void MessagingTestServer::onReadyRead(QTcpSocket *socket)
{
    clients_[socket].reader.append(socket->readAll());
    // A LEAVE may end the connection, and with it the client's entry, mid-loop.
    while (clients_.contains(socket)) {
        const auto line = clients_[socket].reader.next();
        if (!line)
            break;
        handleLine(socket, *line);
    }
    if (clients_.contains(socket) && clients_[socket].reader.overflowed())
        socket->disconnectFromHost();
}

void MessagingTestServer::handleLine(QTcpSocket *socket, const QByteArray &bytes)
{
    const auto line = protocol::parseLine(bytes);
    if (!line) {
        socket->write(protocol::errorLine(QStringLiteral("malformed line")));
    } else if (line->command == QLatin1String("JOIN")) {
        handleJoin(socket, line->args);
    } else if (line->command == QLatin1String("MSG")) {
        handleMessage(socket, line->args.at(0));
    } else if (line->command == QLatin1String("LEAVE")) {
        socket->disconnectFromHost();
    } else {
        socket->write(protocol::errorLine(QStringLiteral("unknown command ") + line->command));
    }
}

void MessagingTestServer::handleJoin(QTcpSocket *socket, const QStringList &args)
{
    Client &client = clients_[socket];
    client.room = args.at(0);
    client.user = args.at(1);
    joins.append({client.room, client.user});
    socket->write(protocol::joinedLine(client.room, client.user));
    emit joined(client.room, client.user);
}

void MessagingTestServer::handleMessage(QTcpSocket *socket, const QString &text)
{
    const Client sender = clients_.value(socket);
    if (sender.room.isEmpty()) {
        socket->write(protocol::errorLine(QStringLiteral("not joined")));
        return;
    }
    messages.append({sender.room, sender.user, text});
    for (auto it = clients_.cbegin(); it != clients_.cend(); ++it) {
        if (it.key() != socket && it->room == sender.room)
            it.key()->write(protocol::fromLine(sender.user, text));
    }
    emit messageReceived(sender.room, sender.user, text);
}
