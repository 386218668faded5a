#include "tcp.h"

#include <atomic>
#include <cstring>

#include "relvo7link.h"
#include "transaction.h"

namespace relvo7link {

namespace {
std::atomic<uint16_t> transactionId{0};

constexpr uint32_t kHeaderSize = 7;   // transaction id, protocol id, length, unit id
constexpr uint32_t kLengthEnd = 6;    // the length field counts the bytes after byte 6
}  // namespace

uint16_t nextTransactionId()
{
    return static_cast<uint16_t>(transactionId.fetch_add(1) + 1);
}

void buildTcpRequest(const Request& request, uint16_t id, uint8_t frame[kTcpRequestSize])
{
    frame[0] = static_cast<uint8_t>(id >> 8);
    frame[1] = static_cast<uint8_t>(id);
    frame[2] = 0;
    frame[3] = 0;
    frame[4] = 0;
    frame[5] = 6;
    frame[6] = request.device;
    frame[7] = request.function;
    frame[8] = static_cast<uint8_t>(request.reg >> 8);
    frame[9] = static_cast<uint8_t>(request.reg);
    frame[10] = static_cast<uint8_t>(request.word >> 8);
    frame[11] = static_cast<uint8_t>(request.word);
}

namespace {

// Evaluates a complete frame of `length` bytes after the length field. Returns
// the result, or kNeedMore when the frame is too short for what it claims to
// hold (then it is skipped like a stale frame: no byte outside it is used).
int evaluateFrame(const Request& request, const uint8_t* request12, const uint8_t* f, uint32_t length)
{
    if (length < 2)
        return kNeedMore;
    const uint8_t function = f[7];
    if (function & 0x80) {
        if (length < 3)
            return kNeedMore;
        deviceError = f[8];
        return MODBUS_ERR_EXCEPTION;
    }
    if (request.function == 0x03) {
        if (length < 3)
            return kNeedMore;
        const uint32_t byteCount = f[8];
        if (byteCount > length - 3)   // data would run past the frame
            return kNeedMore;
        if (byteCount > request.bufferSize)
            return LINK_ERR_LENGTH;
        if (byteCount > 0)
            std::memcpy(request.buffer, f + 9, byteCount);
        return static_cast<int>(byteCount);
    }
    if (length < 6)
        return kNeedMore;
    return std::memcmp(f + 7, request12 + 7, 5) == 0 ? 1 : MODBUS_ERR_ECHO;
}

}  // namespace

int evaluateTcpReply(const Request& request, const uint8_t frame[kTcpRequestSize],
                     const uint8_t* reply, uint32_t count, uint32_t& offset)
{
    for (;;) {
        if (count < kHeaderSize || offset > count - kHeaderSize)
            return kNeedMore;
        const uint8_t* f = reply + offset;
        const uint32_t length = (uint32_t{f[4]} << 8) | f[5];
        if (f[0] != frame[0] || f[1] != frame[1] || f[2] != 0 || f[3] != 0) {
            offset += kLengthEnd + length;   // a late reply to an earlier request, or not Modbus
            continue;
        }
        if (f[6] != request.device)
            return MODBUS_ERR_ANSWER;
        if (offset + kLengthEnd + length > count)
            return kNeedMore;
        const int result = evaluateFrame(request, frame, f, length);
        if (result != kNeedMore)
            return result;
        offset += kLengthEnd + length;
    }
}

}  // namespace relvo7link
