#include "receiver.h"

#include <sys/socket.h>

#include <cerrno>
#include <cstdint>

namespace relvo7link {

void receiveLoop(int socketFd, ReceiveArea& area)
{
    constexpr size_t kChunkSize = 100;
    for (;;) {
        uint8_t chunk[kChunkSize] = {};
        const ssize_t n = recv(socketFd, chunk, sizeof chunk, 0);
        if (n > 0) {
            area.append(chunk, static_cast<size_t>(n));   // dropped when the area would fill
            continue;
        }
        if (n == 0)
            return;   // the peer closed, or TCP_Close shut the socket down
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
            continue; // the receive time-out: keep listening
        return;
    }
}

}  // namespace relvo7link
