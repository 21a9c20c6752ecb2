#include "SeqPacketSocket.h"

#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace pipes::unixsock {

UniqueFd &UniqueFd::operator=(UniqueFd &&other) noexcept
{
    if (this != &other)
        reset(other.release());
    return *this;
}

int UniqueFd::release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void UniqueFd::reset(int fd)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
}

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

QString socketPathFor(const QString &pipeName)
{
    if (pipeName.isEmpty() || pipeName.contains(QLatin1Char('/')))
        throw std::runtime_error("invalid pipe name: \"" + pipeName.toStdString() + "\"");
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        throw std::runtime_error("no runtime directory for the pipe");
    const QString path = dir + QLatin1Char('/') + pipeName;
    if (path.toLocal8Bit().size() >= static_cast<qsizetype>(sizeof(sockaddr_un::sun_path)))
        throw std::runtime_error("pipe path too long: " + path.toStdString());
    return path;
}

static sockaddr_un addressOf(const QString &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = path.toLocal8Bit();
    std::memcpy(address.sun_path, bytes.constData(),
                std::min<size_t>(size_t(bytes.size()), sizeof(address.sun_path) - 1));
    return address;
}

UniqueFd makeSeqPacketSocket()
{
    return UniqueFd(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
}

UniqueFd listenAt(const QString &path)
{
    UniqueFd fd = makeSeqPacketSocket();
    if (!fd.valid())
        throw std::runtime_error(systemError("socket").toStdString());
    const sockaddr_un address = addressOf(path);
    if (::bind(fd.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        throw std::runtime_error(systemError("bind").toStdString());
    // Nobody can connect before listen(), so the file is the user's own from the start.
    if (::chmod(address.sun_path, 0600) != 0 || ::listen(fd.get(), SOMAXCONN) != 0) {
        const std::string message = systemError("listen").toStdString();
        ::unlink(address.sun_path);
        throw std::runtime_error(message);
    }
    return fd;
}

ConnectResult connectTo(int fd, const QString &path)
{
    const sockaddr_un address = addressOf(path);
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0)
        return ConnectResult::Connected;
    switch (errno) {
    case ENOENT:
    case ECONNREFUSED:
        return ConnectResult::NobodyListening;
    case EAGAIN:
        return ConnectResult::Busy;
    default:
        return ConnectResult::Failed;
    }
}

bool enableCredentials(int fd)
{
    const int on = 1;
    return ::setsockopt(fd, SOL_SOCKET, SO_PASSCRED, &on, sizeof on) == 0;
}

long long peerUid(int fd)
{
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
        return -1;
    return credentials.uid;
}

bool isOwnUser(long long uid)
{
    return uid == static_cast<long long>(::geteuid());
}

Received receiveMessage(int fd, QByteArray &buffer, int maxSize)
{
    Received result;
    // One byte more than allowed so that an exactly full message is not mistaken for a
    // truncated one; MSG_TRUNC makes recvmsg return the message's real length.
    if (buffer.size() != maxSize + 1)
        buffer.resize(maxSize + 1);
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(ucred))];
    iovec part{buffer.data(), size_t(buffer.size())};
    msghdr header{};
    header.msg_iov = &part;
    header.msg_iovlen = 1;
    header.msg_control = control;
    header.msg_controllen = sizeof control;

    ssize_t length;
    do {
        length = ::recvmsg(fd, &header, MSG_TRUNC | MSG_DONTWAIT | MSG_CMSG_CLOEXEC);
    } while (length < 0 && errno == EINTR);

    if (length < 0) {
        result.kind = (errno == EAGAIN || errno == EWOULDBLOCK) ? Received::NothingYet : Received::Closed;
        return result;
    }
    // Every real message, the empty one included, carries the sender's credentials;
    // the end of the connection carries nothing.
    if (length == 0 && header.msg_controllen == 0) {
        result.kind = Received::Closed;
        return result;
    }
    if (length > maxSize) {
        result.kind = Received::Oversized;
        return result;
    }
    result.kind = Received::Message;
    result.message = QByteArray(buffer.constData(), length);
    return result;
}

SendResult sendMessage(int fd, const QByteArray &message)
{
    ssize_t sent;
    do {
        sent = ::send(fd, message.constData(), size_t(message.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
    } while (sent < 0 && errno == EINTR);
    if (sent >= 0)
        return SendResult::Sent;
    switch (errno) {
    case EAGAIN:
        return SendResult::WouldBlock;
    case ENOBUFS: // the kernel is short of memory for now
        return SendResult::WouldBlock;
    case EMSGSIZE:
        return SendResult::TooLarge;
    default:
        return SendResult::Broken;
    }
}

bool waitWritable(int fd, int timeoutMs)
{
    pollfd entry{fd, POLLOUT, 0};
    return ::poll(&entry, 1, timeoutMs) > 0 && (entry.revents & POLLOUT);
}

} // namespace pipes::unixsock
