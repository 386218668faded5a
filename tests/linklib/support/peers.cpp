#include "peers.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

PtyPair::PtyPair()
{
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty");
    path_ = name;
    termios tio{};
    tcgetattr(slave_, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave_, TCSANOW, &tio);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
}

PtyPair::~PtyPair()
{
    close(master_);
    close(slave_);
}

std::u16string PtyPair::slavePath16() const { return u16(path_); }

TcpListener::TcpListener()
{
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd_, 4) != 0)
        throw std::runtime_error("listen");
    socklen_t len = sizeof addr;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
}

TcpListener::~TcpListener() { close(fd_); }

int TcpListener::accept(std::chrono::milliseconds timeout)
{
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(timeout.count())) <= 0)
        return -1;
    return ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
}

Bytes readBytes(int fd, size_t n, std::chrono::milliseconds timeout)
{
    Bytes out;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (out.size() < n) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0)
            break;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0)
            continue;
        uint8_t buf[256];
        const ssize_t got = read(fd, buf, std::min(sizeof buf, n - out.size()));
        if (got <= 0) {
            if (got < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            break;
        }
        out.insert(out.end(), buf, buf + got);
    }
    return out;
}

void writeBytes(int fd, const Bytes& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == ENOTSOCK) {
            const ssize_t w = write(fd, bytes.data() + done, bytes.size() - done);
            if (w <= 0)
                return;
            done += static_cast<size_t>(w);
            continue;
        }
        if (n <= 0)
            return;
        done += static_cast<size_t>(n);
    }
}

Bytes withCrc(Bytes frame)
{
    uint16_t crc = 0xFFFF;
    for (uint8_t b : frame) {
        crc ^= b;
        for (int i = 0; i < 8; ++i)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    frame.push_back(static_cast<uint8_t>(crc));
    frame.push_back(static_cast<uint8_t>(crc >> 8));
    return frame;
}

std::u16string u16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

uint16_t closedPort()
{
    uint16_t port;
    {
        TcpListener l;   // bound and closed again: free, with nothing listening
        port = l.port();
    }
    return port;
}

#include <dirent.h>
#include <sys/stat.h>

int findConnectedSocket(uint16_t peerPort)
{
    DIR* dir = opendir("/proc/self/fd");
    if (!dir)
        return -1;
    int found = -1;
    while (dirent* e = readdir(dir)) {
        const int fd = atoi(e->d_name);
        struct stat st {};
        if (e->d_name[0] == '.' || fstat(fd, &st) != 0 || !S_ISSOCK(st.st_mode))
            continue;
        sockaddr_in peer{};
        socklen_t len = sizeof peer;
        if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &len) == 0 && peer.sin_family == AF_INET &&
            ntohs(peer.sin_port) == peerPort) {
            found = fd;
            break;
        }
    }
    closedir(dir);
    return found;
}

static long timeoutMs(int fd, int option)
{
    timeval tv{};
    socklen_t len = sizeof tv;
    if (getsockopt(fd, SOL_SOCKET, option, &tv, &len) != 0)
        return -1;
    return tv.tv_sec * 1000 + tv.tv_usec / 1000;
}

long receiveTimeoutMs(int fd) { return timeoutMs(fd, SO_RCVTIMEO); }
long sendTimeoutMs(int fd) { return timeoutMs(fd, SO_SNDTIMEO); }
