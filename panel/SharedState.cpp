#include "SharedState.h"

namespace relvo7 {

std::array<std::atomic<int32_t>, kMeasureCount> MeasurementBlock{};
std::atomic<uint32_t> AlarmMask{0};
std::atomic<int32_t> PanelConnected{0};
std::atomic<int32_t> LastReadOk{0};
std::atomic<int32_t> DeviceVersion{0};
std::atomic<float> PollingSpeed{0.0f};
std::atomic<int32_t> PollingThreadRunning{0};
std::atomic<int32_t> RecordingThreadRunning{0};
std::atomic<int32_t> ParametersThreadRunning{0};
std::atomic<int32_t> JournalRunning{0};

void clearMeasurements() {
    for (auto& v : MeasurementBlock) v.store(0, std::memory_order_relaxed);
    AlarmMask.store(0);
}

} // namespace relvo7
