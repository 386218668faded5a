// One Modbus request as the caller gave it, and the frames built from it.
#pragma once
#include <cstdint>

namespace relvo7link {

struct Request {
    uint8_t function;       // 0x03 or 0x06
    uint8_t device;
    uint16_t reg;           // first register (03) or register (06)
    uint16_t word;          // register count (03) or value (06)
    uint8_t* buffer;        // 03: caller's buffer
    uint32_t bufferSize;    // 03: its size
};

// A reply that is not yet complete gives kNeedMore; anything else is the
// transaction's result.
inline constexpr int kNeedMore = 1 << 30;

}  // namespace relvo7link
