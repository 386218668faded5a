// The area a transport collects reply bytes in.
#pragma once
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace relvo7link {

using Clock = std::chrono::steady_clock;

// 1024 bytes and a count; holds at most 1023 bytes. The count is guarded by a
// mutex, and bytes are only ever written at or beyond the count, so a reader
// may look at the bytes below a count it obtained here without holding the lock
// while another thread appends.
class ReceiveArea {
public:
    static constexpr uint32_t kSize = 1024;

    // Forgets what was received (the bytes stay, only the count goes to 0).
    void reset();
    // Appends a chunk; a chunk that would make the area hold kSize bytes or more
    // is dropped. Wakes a waiting transaction.
    void append(const uint8_t* chunk, size_t size);
    // Waits until more than `seen` bytes are in or the deadline passes; returns
    // the count then. The deadline is checked first: past it, nothing is awaited.
    uint32_t waitBeyond(uint32_t seen, Clock::time_point deadline);
    uint32_t count() const;
    const uint8_t* bytes() const { return bytes_; }

    // For a transport that reads into the area on the waiting thread itself:
    // free room is kSize - 1 - count().
    uint8_t* tail() { return bytes_ + count_; }
    void advance(uint32_t size);

private:
    mutable std::mutex mutex_;
    std::condition_variable grown_;
    uint32_t count_ = 0;
    uint8_t bytes_[kSize] = {};
};

}  // namespace relvo7link
