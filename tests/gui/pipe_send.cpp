// Writes one message to a SOCK_SEQPACKET Unix socket, as another local process would.
// Usage: pipe_send <socket path> <message as hex>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: pipe_send <socket> <hex message>\n");
        return 2;
    }
    std::string message;
    for (const char *h = argv[2]; h[0] && h[1]; h += 2)
        message.push_back(static_cast<char>(std::stoi(std::string(h, 2), nullptr, 16)));

    const int fd = socket(AF_UNIX, SOCK_SEQPACKET, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, argv[1], sizeof addr.sun_path - 1);
    if (fd < 0 || connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0) {
        std::perror("connect");
        return 1;
    }
    if (send(fd, message.data(), message.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(message.size())) {
        std::perror("send");
        return 1;
    }
    close(fd);
    return 0;
}
