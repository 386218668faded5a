#include "RecorderSettings.h"

namespace relvo7 {

namespace {
void putLE32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
uint32_t getLE32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
} // namespace

std::array<uint8_t, kRecorderSettingsSize> encodeRecorderSettings(const RecorderSettings& s) {
    std::array<uint8_t, kRecorderSettingsSize> b{};
    putLE32(&b[0], static_cast<uint32_t>(s.autoRecord));
    putLE32(&b[4], s.intervalSeconds);
    for (std::size_t i = 0; i < s.channelColor.size(); ++i) putLE32(&b[8 + 4 * i], s.channelColor[i]);
    return b;
}

RecorderSettings decodeRecorderSettings(const uint8_t* bytes, std::size_t size) {
    RecorderSettings s;
    if (size != kRecorderSettingsSize || bytes == nullptr) return s;
    s.autoRecord = static_cast<int32_t>(getLE32(bytes));
    s.intervalSeconds = getLE32(bytes + 4);
    for (std::size_t i = 0; i < s.channelColor.size(); ++i) s.channelColor[i] = getLE32(bytes + 8 + 4 * i);
    return s;
}

uint32_t clampInterval(uint64_t seconds) {
    if (seconds < kMinIntervalSeconds) return kMinIntervalSeconds;
    if (seconds > kMaxIntervalSeconds) return kMaxIntervalSeconds;
    return static_cast<uint32_t>(seconds);
}

} // namespace relvo7
