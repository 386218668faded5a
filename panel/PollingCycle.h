#pragma once
// The body of the PollingThread: reads the relay's live registers on the
// fast/slow/slowest schedule, decodes them into the MeasurementBlock and the
// panel model, keeps the alarm list and AlarmMask, measures PollingSpeed and
// notices a transport that has gone away. std:: only (no Qt), never touches a
// widget: everything it shows goes into the PanelModel.
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

#include "DeviceLink.h"
#include "PanelModel.h"

namespace relvo7::panel {

// The register blocks of the cycle, as bits of PollingShared::blocksRead.
enum PollBlock : uint32_t {
    Block100 = 1u << 0, Block110 = 1u << 1, Block120 = 1u << 2, Block141 = 1u << 3,
    Block130 = 1u << 4, Block240 = 1u << 5, Block150 = 1u << 6, Block177 = 1u << 7,
    Block187 = 1u << 8, Block221 = 1u << 9,
};
// Every block the cycle reads for a relay of this version.
uint32_t allPollBlocks(uint32_t deviceVersion);

// Values the window thread changes while the thread runs, and what the thread
// reports back. Owned by the engine; outlives every thread it serves.
struct PollingShared {
    std::atomic<int32_t> deviceAddress{1};          // the panel's address field
    std::array<std::atomic<int32_t>, 3> powerChoice{}; // selections of the power combo boxes (-1 none)
    std::atomic<bool> started{false};               // the current thread has begun
    std::atomic<uint64_t> cycles{0};                // cycles completed by the current thread
    std::atomic<uint32_t> blocksRead{0};            // PollBlock bits read successfully by it
};

// Fixed for the life of one thread (taken from the settings at connect).
struct PollingConfig {
    bool analogTemp1 = false, analogTemp2 = false, analogCurrent = false, analogVoltage = false;
    std::function<void()> onLostTransport; // called on the polling thread, which then ends
    // Pause at the start of every cycle, so other callers of the link get a turn.
    std::chrono::microseconds cyclePause{1000};
};

class PollingCycle {
public:
    PollingCycle(DeviceLink& link, PanelModel& model, PollingShared& shared, PollingConfig config);
    // Runs until PollingThreadRunning is cleared or the transport is gone.
    // Sets PollingThreadRunning to 1 first and to 0 last.
    void run();

private:
    using Clock = std::chrono::steady_clock;
    bool running() const;
    // One block read: counts, LastReadOk, decode on success. False when the
    // thread must end.
    bool readBlock(uint32_t first, uint32_t count, PollBlock bit, void (PollingCycle::*decode)(),
                   bool setsLastReadOk = true);
    void updateSpeed();

    void decode100();
    void decode110();
    void decode120();
    void decode141();
    void decode130();
    void decode240();
    void decode150();
    void decode177();
    void decode187();
    void decode221();
    bool handleAlarms(uint16_t status, uint32_t alarms); // false when the thread must end

    uint16_t reg(int i) const { return static_cast<uint16_t>(buffer_[2 * i] * 256 + buffer_[2 * i + 1]); }
    void store(int index, int32_t value);
    int32_t measured(int index) const;
    uint32_t analogButtonBits() const;

    DeviceLink& link_;
    PanelModel& model_;
    PollingShared& shared_;
    PollingConfig config_;

    // State of one thread, fresh at every start.
    int ctFactor_ = 1;
    bool noNominalCurrent_ = false;
    uint32_t registerCount_ = 0;
    Clock::time_point lastSpeedTick_{};
    int slowCounter_ = 0;
    int slowestCounter_ = 0;
    uint32_t restartRangeA_ = 0, restartRangeB_ = 0;
    uint32_t address_ = 0;
    uint8_t buffer_[50] = {};
};

} // namespace relvo7::panel
