#include "transaction.h"

#include "relvo7link.h"
#include "rtu.h"
#include "tcp.h"

namespace relvo7link {

std::atomic<uint32_t> deviceError{0};

int runTransaction(const Transport& transport, const Request& request, uint32_t timeoutMs)
{
    if (!transport.isOpen())
        return MODBUS_ERR_CLOSED;
    deviceError = 0;

    const bool rtu = transport.framing == Framing::Rtu;
    uint8_t frame[kTcpRequestSize];
    if (rtu)
        buildRtuRequest(request, frame);
    else
        buildTcpRequest(request, nextTransactionId(), frame);

    const int sent = transport.sendRequest(frame, rtu ? kRtuRequestSize : kTcpRequestSize);
    if (sent != 0)
        return sent;

    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    uint32_t seen = 0;
    uint32_t offset = 0;   // TCP: the frame under examination
    for (;;) {
        const int count = transport.awaitReply(seen, deadline);
        if (count < 0)
            return count;
        if (static_cast<uint32_t>(count) <= seen)
            return MODBUS_ERR_TIMEOUT;
        seen = static_cast<uint32_t>(count);
        const uint8_t* reply = transport.replyBytes();
        const int result = rtu ? evaluateRtuReply(request, frame, reply, seen)
                               : evaluateTcpReply(request, frame, reply, seen, offset);
        if (result != kNeedMore)
            return result;
    }
}

}  // namespace relvo7link
