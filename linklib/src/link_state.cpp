#include "link_state.h"

namespace relvo7link {

std::atomic<uint32_t> ioTimeoutMs{100};
std::atomic<uint32_t> userFlag{0};
std::atomic<const Transport*> activeTransport{nullptr};

std::mutex& linkMutex()
{
    static std::mutex& mutex = *new std::mutex;   // outlives every thread
    return mutex;
}

}  // namespace relvo7link

#include "transaction_queue.h"

namespace relvo7link {

void deselectTransport()
{
    activeTransport = nullptr;
    transactionQueue().resetIfIdle();
}

}  // namespace relvo7link
