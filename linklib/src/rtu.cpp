#include "rtu.h"

#include <cstring>

#include "crc.h"
#include "relvo7link.h"
#include "transaction.h"

namespace relvo7link {

void buildRtuRequest(const Request& request, uint8_t frame[kRtuRequestSize])
{
    frame[0] = request.device;
    frame[1] = request.function;
    frame[2] = static_cast<uint8_t>(request.reg >> 8);
    frame[3] = static_cast<uint8_t>(request.reg);
    frame[4] = static_cast<uint8_t>(request.word >> 8);
    frame[5] = static_cast<uint8_t>(request.word);
    const uint16_t crc = crc16Modbus(frame, 6);
    frame[6] = static_cast<uint8_t>(crc);
    frame[7] = static_cast<uint8_t>(crc >> 8);
}

int evaluateRtuReply(const Request& request, const uint8_t frame[kRtuRequestSize],
                     const uint8_t* reply, uint32_t count)
{
    if (count < 3)
        return kNeedMore;
    // A wrong address is known from the first byte: no need to wait for the rest.
    if (reply[0] != request.device)
        return MODBUS_ERR_ANSWER;
    uint32_t expected;
    if (reply[1] == request.function)
        expected = request.function == 0x06 ? 8u : reply[2] + 5u;
    else if (reply[1] & 0x80)
        expected = 5;
    else
        return MODBUS_ERR_ANSWER;
    if (count < expected)
        return kNeedMore;
    // Bytes beyond the expected length are ignored.
    const uint16_t crc = crc16Modbus(reply, expected - 2);
    if (reply[expected - 2] != static_cast<uint8_t>(crc) || reply[expected - 1] != static_cast<uint8_t>(crc >> 8))
        return MODBUS_ERR_CRC;
    if (reply[1] & 0x80) {
        deviceError = reply[2];
        return MODBUS_ERR_EXCEPTION;
    }
    if (request.function == 0x03) {
        const uint32_t byteCount = reply[2];
        // A buffer of exactly the byte count is refused over RTU.
        if (byteCount >= request.bufferSize)
            return LINK_ERR_LENGTH;
        std::memcpy(request.buffer, reply + 3, byteCount);
        return static_cast<int>(byteCount);
    }
    return std::memcmp(reply + 2, frame + 2, 4) == 0 ? 1 : MODBUS_ERR_ECHO;
}

}  // namespace relvo7link
