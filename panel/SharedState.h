#pragma once
// Process-wide values the polling, recording and window threads share. Each is
// a single atomic word (the measurement block is 49 of them), so a reader may
// see a value one polling cycle old but never a torn one.
#include <array>
#include <atomic>
#include <cstdint>

namespace relvo7 {

inline constexpr int kMeasureCount = 49;

// 49 raw values in device-table order, each in 1/nDivider units of its row.
extern std::array<std::atomic<int32_t>, kMeasureCount> MeasurementBlock;
extern std::atomic<uint32_t> AlarmMask;     // listed alarms, bit i = alarm table row i
extern std::atomic<int32_t> PanelConnected; // 1 while the panel holds a link
extern std::atomic<int32_t> LastReadOk;     // result of the last polling read (1 ok)
extern std::atomic<int32_t> DeviceVersion;  // identified software version, 0 = none
extern std::atomic<float> PollingSpeed;     // registers read per second (title shows %.2f)

// Running flags: a thread sets its flag first and clears it last; others clear
// it to ask the thread to stop.
extern std::atomic<int32_t> PollingThreadRunning;
extern std::atomic<int32_t> RecordingThreadRunning;
extern std::atomic<int32_t> ParametersThreadRunning;
extern std::atomic<int32_t> JournalRunning;

// Clears the measurement block and the alarm mask (part of ResetPanel).
void clearMeasurements();

} // namespace relvo7
