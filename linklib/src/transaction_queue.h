// Runs the Modbus calls of all threads one at a time, in arrival order.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace relvo7link {

// Ticket queue with two counters, nextTicket and nowServing, each counting up
// to 30000 and then starting again at 0. A caller takes a ticket, waits until
// it is served (woken at once when its turn comes), runs, and finishes.
class TransactionQueue {
public:
    static constexpr int32_t kLastTicket = 30000;

    int32_t takeTicket();
    void waitTurn(int32_t ticket);
    void finish();
    // Opening or closing a transport starts the counters again at 0. While any
    // call holds a ticket the counters are left running instead, so the calls
    // already waiting keep their order and none of them waits for ever; the
    // reset then has nothing to undo and is simply not needed.
    void resetIfIdle();

    // For tests: the two counters.
    int32_t nextTicket() const;
    int32_t nowServing() const;

private:
    static int32_t after(int32_t n) { return n >= kLastTicket ? 0 : n + 1; }

    mutable std::mutex mutex_;
    std::condition_variable turn_;
    int32_t nextTicket_ = 0;
    int32_t nowServing_ = 0;
};

TransactionQueue& transactionQueue();

}  // namespace relvo7link
