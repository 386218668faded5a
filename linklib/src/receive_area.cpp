#include "receive_area.h"

#include <cstring>

namespace relvo7link {

void ReceiveArea::reset()
{
    std::lock_guard lock(mutex_);
    count_ = 0;
}

void ReceiveArea::append(const uint8_t* chunk, size_t size)
{
    {
        std::lock_guard lock(mutex_);
        if (size == 0 || count_ + size >= kSize)
            return;
        std::memcpy(bytes_ + count_, chunk, size);
        count_ += static_cast<uint32_t>(size);
    }
    grown_.notify_all();
}

uint32_t ReceiveArea::waitBeyond(uint32_t seen, Clock::time_point deadline)
{
    std::unique_lock lock(mutex_);
    if (Clock::now() >= deadline)
        return count_;
    grown_.wait_until(lock, deadline, [&] { return count_ > seen; });
    return count_;
}

uint32_t ReceiveArea::count() const
{
    std::lock_guard lock(mutex_);
    return count_;
}

void ReceiveArea::advance(uint32_t size)
{
    {
        std::lock_guard lock(mutex_);
        count_ += size;
    }
    grown_.notify_all();
}

}  // namespace relvo7link
