// Modbus RTU frames: 8-byte requests with CRC, replies found from their own header.
#pragma once
#include <cstdint>

#include "request.h"

namespace relvo7link {

inline constexpr uint32_t kRtuRequestSize = 8;

void buildRtuRequest(const Request& request, uint8_t frame[kRtuRequestSize]);

// Examines the `count` reply bytes received so far. Returns kNeedMore, or the
// result: the data byte count (03), 1 (06) or a negative code. Copies data to
// the caller's buffer and sets the device error only on a complete reply.
int evaluateRtuReply(const Request& request, const uint8_t frame[kRtuRequestSize],
                     const uint8_t* reply, uint32_t count);

}  // namespace relvo7link
