#include "RecorderClock.h"

#include <ctime>

namespace relvo7 {

using namespace std::chrono;

namespace {
constexpr auto kRecheck = milliseconds(50); // for flags changed without wake()
}

void RecorderClock::wake() {
    std::lock_guard<std::mutex> lock(mutex_);
    cv_.notify_all();
}

bool RecorderClock::waitReal(steady_clock::duration realLimit, const std::function<bool()>& done) {
    if (realLimit < microseconds(100)) { // shorter than a timed sleep can be: just look
        std::lock_guard<std::mutex> lock(mutex_);
        return done();
    }
    const auto deadline = steady_clock::now() + realLimit;
    std::unique_lock<std::mutex> lock(mutex_);
    while (!done()) {
        const auto now = steady_clock::now();
        if (now >= deadline) return false;
        const auto slice = deadline - now < steady_clock::duration(kRecheck) ? deadline - now
                                                                              : steady_clock::duration(kRecheck);
        cv_.wait_for(lock, slice);
    }
    return true;
}

int64_t civilToSeconds(const LocalTime& t) {
    const sys_days d = year_month_day{year{t.year}, month{static_cast<unsigned>(t.month)},
                                      day{static_cast<unsigned>(t.day)}};
    return d.time_since_epoch().count() * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

LocalTime secondsToCivil(int64_t s) {
    int64_t days = s / 86400, rest = s % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    const year_month_day ymd{sys_days{std::chrono::days{days}}};
    LocalTime t;
    t.year = static_cast<int>(ymd.year());
    t.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    t.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

// ---- SystemRecorderClock ----

LocalTime SystemRecorderClock::localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void SystemRecorderClock::waitStep(milliseconds step, const std::function<bool()>& done) { waitReal(step, done); }

void SystemRecorderClock::waitUntil(const std::function<bool()>& done) {
    while (!waitReal(hours(1), done)) {
    }
}

// ---- FastRecorderClock ----

FastRecorderClock::FastRecorderClock(const LocalTime& start, double speed)
    : startSeconds_(civilToSeconds(start)), speed_(speed > 0 ? speed : 1.0) {}

LocalTime FastRecorderClock::localNow() { return secondsToCivil(startSeconds_ + elapsedMs_.load() / 1000); }

void FastRecorderClock::waitStep(milliseconds step, const std::function<bool()>& done) {
    const auto real = duration_cast<steady_clock::duration>(duration<double, std::milli>(step.count() / speed_));
    if (!waitReal(real, done)) elapsedMs_.fetch_add(step.count());
}

void FastRecorderClock::waitUntil(const std::function<bool()>& done) {
    while (!waitReal(hours(1), done)) {
    }
}

// ---- ManualRecorderClock ----

ManualRecorderClock::ManualRecorderClock(const LocalTime& start) : startSeconds_(civilToSeconds(start)) {}

LocalTime ManualRecorderClock::localNow() { return secondsToCivil(startSeconds_ + elapsedMs_.load() / 1000); }

void ManualRecorderClock::waitStep(milliseconds step, const std::function<bool()>& done) {
    const int64_t until = elapsedMs_.load() + step.count();
    inStep_.store(true);
    stepsBegun_.fetch_add(1);
    while (!waitReal(hours(1), [&] { return done() || elapsedMs_.load() >= until; })) {
    }
    inStep_.store(false);
}

void ManualRecorderClock::waitUntil(const std::function<bool()>& done) {
    while (!waitReal(hours(1), done)) {
    }
}

void ManualRecorderClock::advance(milliseconds by) {
    elapsedMs_.fetch_add(by.count());
    wake();
}

} // namespace relvo7
