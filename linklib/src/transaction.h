// The transaction core: one request, one reply, over whatever transport.
#pragma once
#include <atomic>
#include <cstdint>

#include "request.h"
#include "transport.h"

namespace relvo7link {

// Exception code of the most recent exception reply; 0 from the start of every
// transaction that found its transport open.
extern std::atomic<uint32_t> deviceError;

// Sends the request over the transport and waits up to timeoutMs for the
// matching reply. Returns the byte count (03), 1 (06) or a negative code.
int runTransaction(const Transport& transport, const Request& request, uint32_t timeoutMs);

}  // namespace relvo7link
