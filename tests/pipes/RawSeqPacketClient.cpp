#include "RawSeqPacketClient.h"

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

static sockaddr_un addressOf(const QString &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = path.toLocal8Bit();
    std::strncpy(address.sun_path, bytes.constData(), sizeof(address.sun_path) - 1);
    return address;
}

RawSeqPacketClient::RawSeqPacketClient(const QString &path)
{
    fd_ = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    const sockaddr_un address = addressOf(path);
    if (fd_ >= 0 && ::connect(fd_, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        close();
}

RawSeqPacketClient::~RawSeqPacketClient()
{
    close();
}

bool RawSeqPacketClient::send(const QByteArray &message)
{
    return fd_ >= 0 && ::send(fd_, message.constData(), size_t(message.size()), MSG_NOSIGNAL) == message.size();
}

void RawSeqPacketClient::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool leaveStaleSocketFile(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET, 0);
    const sockaddr_un address = addressOf(path);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0
                       && ::listen(fd, 1) == 0;
    ::close(fd); // the file stays behind
    return bound;
}
