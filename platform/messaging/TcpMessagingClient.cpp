#include "TcpMessagingClient.h"

#include <QTcpSocket>
#include <QTimer>

namespace messaging {

TcpMessagingClient::TcpMessagingClient(QObject *parent) : QObject(parent), socket_(new QTcpSocket(this))
{
    connect(socket_, &QTcpSocket::connected, this, &TcpMessagingClient::onConnected);
    connect(socket_, &QTcpSocket::readyRead, this, &TcpMessagingClient::onReadyRead);
    connect(socket_, &QTcpSocket::errorOccurred, this, &TcpMessagingClient::onSocketError);
    connect(socket_, &QTcpSocket::disconnected, this, &TcpMessagingClient::onDisconnected);
}

TcpMessagingClient::~TcpMessagingClient()
{
    // No signals to a half-destroyed owner while the socket goes down.
    socket_->disconnect(this);
    socket_->abort();
}

void TcpMessagingClient::reportLater(const QString &message)
{
    QTimer::singleShot(0, this, [this, message] { emit errorOccurred(message); });
}

void TcpMessagingClient::connectToServer()
{
    if (!protocol::isValidName(room_) || !protocol::isValidName(userName_)) {
        reportLater(tr("Invalid room or user name"));
        return;
    }
    socket_->abort();
    reader_ = {};
    joined_ = false;
    leaving_ = false;
    socket_->connectToHost(host_, port_);
}

void TcpMessagingClient::disconnectFromServer()
{
    if (socket_->state() == QAbstractSocket::ConnectedState)
        socket_->write(protocol::leaveLine());
    joined_ = false;
    leaving_ = true;
    // disconnectFromHost sends what is queued (the leave line, a last message) first.
    socket_->disconnectFromHost();
    if (socket_->state() != QAbstractSocket::UnconnectedState && socket_->state() != QAbstractSocket::ClosingState)
        socket_->abort();
}

bool TcpMessagingClient::isConnected() const
{
    return socket_->state() == QAbstractSocket::ConnectedState;
}

bool TcpMessagingClient::sendText(const QString &text)
{
    if (!isConnected())
        return false;
    socket_->write(protocol::messageLine(text));
    return true;
}

void TcpMessagingClient::onConnected()
{
    socket_->write(protocol::joinLine(room_, userName_));
    emit connected();
}

void TcpMessagingClient::onReadyRead()
{
    reader_.append(socket_->readAll());
    while (const auto line = reader_.next())
        handleLine(*line);
    if (reader_.overflowed()) {
        socket_->abort();
        emit errorOccurred(tr("The server sent a line that is too long"));
    }
}

void TcpMessagingClient::handleLine(const QByteArray &bytes)
{
    const auto line = protocol::parseLine(bytes);
    if (!line)
        return;
    if (line->command == QLatin1String("JOINED")) {
        joined_ = true;
        emit joined();
    } else if (line->command == QLatin1String("FROM")) {
        emit textReceived(line->args.at(0), line->args.at(1));
    } else if (line->command == QLatin1String("ERROR")) {
        emit errorOccurred(line->args.at(0));
    }
}

void TcpMessagingClient::onSocketError()
{
    // The server closing after our own leave request is the expected end, not a fault.
    if (leaving_ && socket_->error() == QAbstractSocket::RemoteHostClosedError)
        return;
    emit errorOccurred(socket_->errorString());
}

void TcpMessagingClient::onDisconnected()
{
    joined_ = false;
    emit disconnected();
}

} // namespace messaging
