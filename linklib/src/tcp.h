// Modbus TCP frames: MBAP header and PDU, matched by transaction identifier.
#pragma once
#include <cstdint>

#include "request.h"

namespace relvo7link {

inline constexpr uint32_t kTcpRequestSize = 12;

// Advances the library-wide transaction identifier (0 at load, so the first
// request carries 1; 65535 is followed by 0) and returns the new value.
uint16_t nextTransactionId();

void buildTcpRequest(const Request& request, uint16_t transactionId, uint8_t frame[kTcpRequestSize]);

// Examines the `count` bytes received so far, starting at the frame at
// `offset`, which moves past every frame that is skipped (another transaction
// identifier, a protocol identifier other than 0, or a frame too short for what
// it claims to hold). Returns kNeedMore or the result.
int evaluateTcpReply(const Request& request, const uint8_t frame[kTcpRequestSize],
                     const uint8_t* reply, uint32_t count, uint32_t& offset);

}  // namespace relvo7link
