#include "transaction_queue.h"

namespace relvo7link {

int32_t TransactionQueue::takeTicket()
{
    std::lock_guard lock(mutex_);
    const int32_t ticket = nextTicket_;
    nextTicket_ = after(nextTicket_);
    return ticket;
}

void TransactionQueue::waitTurn(int32_t ticket)
{
    std::unique_lock lock(mutex_);
    turn_.wait(lock, [&] { return nowServing_ == ticket; });
}

void TransactionQueue::finish()
{
    {
        std::lock_guard lock(mutex_);
        nowServing_ = after(nowServing_);
    }
    turn_.notify_all();
}

void TransactionQueue::resetIfIdle()
{
    std::lock_guard lock(mutex_);
    if (nextTicket_ == nowServing_)
        nextTicket_ = nowServing_ = 0;
}

int32_t TransactionQueue::nextTicket() const
{
    std::lock_guard lock(mutex_);
    return nextTicket_;
}

int32_t TransactionQueue::nowServing() const
{
    std::lock_guard lock(mutex_);
    return nowServing_;
}

TransactionQueue& transactionQueue()
{
    static TransactionQueue& queue = *new TransactionQueue;   // outlives every thread
    return queue;
}

}  // namespace relvo7link
