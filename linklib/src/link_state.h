// Library-wide settings and the selected transport.
#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>

#include "transport.h"

namespace relvo7link {

extern std::atomic<uint32_t> ioTimeoutMs;   // 100 at load
extern std::atomic<uint32_t> userFlag;      // 0 at load, kept for the caller
// The transport opened last; null when none is selected.
extern std::atomic<const Transport*> activeTransport;

// Held by open, set-up and close calls and by the running transaction, so a
// port or socket is never closed under a transaction that is using it.
std::mutex& linkMutex();

}  // namespace relvo7link

namespace relvo7link {
// Clears the selected transport and starts the queue counters again (when idle).
void deselectTransport();
}  // namespace relvo7link
