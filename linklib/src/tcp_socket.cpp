#include "tcp_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <system_error>
#include <thread>

#include "link_state.h"
#include "receiver.h"
#include "relvo7link.h"
#include "text.h"

namespace relvo7link {

namespace {

struct TcpState {
    std::atomic<int> fd{-1};   // written under the link mutex; read by TCP_IsOpen without it
    std::thread receiver;
    ReceiveArea area;
};

TcpState& tcp()
{
    // Never destroyed: a connection left open at exit keeps its thread.
    static TcpState& state = *new TcpState;
    return state;
}

// Shut down first so the ReceiverThread's recv returns, join it, then close.
void closeLocked()
{
    TcpState& s = tcp();
    const int fd = s.fd.load();
    if (fd >= 0)
        shutdown(fd, SHUT_RDWR);
    if (s.receiver.joinable())
        s.receiver.join();
    if (fd >= 0)
        close(fd);
    s.fd = -1;
    deselectTransport();
}

bool isOpen() { return tcp().fd.load() >= 0; }

int sendRequest(const uint8_t* frame, size_t size)
{
    TcpState& s = tcp();
    s.area.reset();
    const int fd = s.fd.load();
    size_t done = 0;
    while (done < size) {
        // MSG_NOSIGNAL: a peer that has gone away gives an error, never SIGPIPE.
        const ssize_t n = send(fd, frame + done, size - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        closeLocked();
        return MODBUS_ERR_CLOSED;
    }
    return 0;
}

int awaitReply(uint32_t seen, Clock::time_point deadline)
{
    return static_cast<int>(tcp().area.waitBeyond(seen, deadline));
}

const uint8_t* replyBytes() { return tcp().area.bytes(); }

bool setTimeouts(int fd, uint32_t ms)
{
    timeval tv{};
    tv.tv_sec = static_cast<time_t>(ms / 1000);
    tv.tv_usec = static_cast<suseconds_t>((ms % 1000) * 1000);
    return setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv) == 0 &&
           setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv) == 0;
}

}  // namespace

const Transport tcpTransport{Framing::Tcp, isOpen, sendRequest, awaitReply, replyBytes};

int tcpOpen(const char16_t* address, uint32_t port)
{
    if (address == nullptr)
        return TCP_ERR_SOCKET;
    std::lock_guard lock(linkMutex());
    closeLocked();

    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (fd < 0)
        return TCP_ERR_SOCKET;
    TcpState& s = tcp();
    s.fd = fd;   // from here on the socket exists until TCP_Close, whatever fails

    const int noDelay = 1;
    if (setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay) != 0 ||
        !setTimeouts(fd, ioTimeoutMs.load()))
        return TCP_ERR_CONNECT;

    // Dotted IPv4 only, no name lookup; text that does not parse is the all-ones
    // address, which cannot be connected to.
    const std::string text = utf16ToAscii(address);
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr.s_addr = inet_addr(text.c_str());
    peer.sin_port = htons(static_cast<uint16_t>(port));
    int rc;
    do
        rc = connect(fd, reinterpret_cast<const sockaddr*>(&peer), sizeof peer);
    while (rc != 0 && errno == EINTR);
    if (rc != 0)
        return TCP_ERR_CONNECT;

    s.area.reset();
    try {
        s.receiver = std::thread(receiveLoop, fd, std::ref(s.area));
    } catch (const std::system_error&) {
        return TCP_ERR_STARTUP;
    }
    activeTransport = &tcpTransport;
    return LINK_OK;
}

int tcpClose()
{
    std::lock_guard lock(linkMutex());
    closeLocked();
    return LINK_OK;
}

bool tcpIsOpen() { return isOpen(); }

}  // namespace relvo7link
