#pragma once
// The recorder's sense of time: the local wall clock it stamps samples with and
// the waits between them. Injected so that tests can start at 23:59:58, cross
// midnight and run a day in seconds. Waits end early when their condition holds;
// wake() makes a running wait look at its condition again at once.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

#include "DayFileFormat.h"

namespace relvo7 {

class RecorderClock {
public:
    virtual ~RecorderClock() = default;
    virtual LocalTime localNow() = 0;
    // Waits `step` of this clock's time or until done() holds.
    virtual void waitStep(std::chrono::milliseconds step, const std::function<bool()>& done) = 0;
    // Waits, without a time limit, until done() holds.
    virtual void waitUntil(const std::function<bool()>& done) = 0;
    // Call after changing anything a running wait's condition reads.
    void wake();

protected:
    // Blocks until done(), `realLimit` passed, or wake(); rechecks done() at
    // least every few milliseconds so a flag changed without wake() is seen too.
    // Returns true when done() held.
    bool waitReal(std::chrono::steady_clock::duration realLimit, const std::function<bool()>& done);

private:
    std::mutex mutex_;
    std::condition_variable cv_;
};

// Local time of the machine; waits are real.
class SystemRecorderClock final : public RecorderClock {
public:
    LocalTime localNow() override;
    void waitStep(std::chrono::milliseconds step, const std::function<bool()>& done) override;
    void waitUntil(const std::function<bool()>& done) override;
};

// A virtual wall clock that starts at `start` and runs `speed` times faster than
// real time. Only completed waits move it on, so samples at a 1-second interval
// carry consecutive seconds.
class FastRecorderClock final : public RecorderClock {
public:
    FastRecorderClock(const LocalTime& start, double speed);
    LocalTime localNow() override;
    void waitStep(std::chrono::milliseconds step, const std::function<bool()>& done) override;
    void waitUntil(const std::function<bool()>& done) override;

private:
    int64_t startSeconds_;
    double speed_;
    std::atomic<int64_t> elapsedMs_{0};
};

// A virtual clock that moves only when the test calls advance(). A wait step
// blocks until the clock has moved by the step since the wait began.
class ManualRecorderClock final : public RecorderClock {
public:
    explicit ManualRecorderClock(const LocalTime& start);
    LocalTime localNow() override;
    void waitStep(std::chrono::milliseconds step, const std::function<bool()>& done) override;
    void waitUntil(const std::function<bool()>& done) override;
    void advance(std::chrono::milliseconds by);
    // Wait steps begun so far; lets a test see that the recorder is waiting.
    int64_t stepsBegun() const { return stepsBegun_.load(); }
    bool inStep() const { return inStep_.load(); }

private:
    int64_t startSeconds_;
    std::atomic<int64_t> elapsedMs_{0};
    std::atomic<int64_t> stepsBegun_{0};
    std::atomic<bool> inStep_{false};
};

// Seconds since 1970-01-01 00:00 of a civil date and time (no time zone) and back.
int64_t civilToSeconds(const LocalTime& t);
LocalTime secondsToCivil(int64_t seconds);

} // namespace relvo7
