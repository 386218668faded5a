#pragma once
// The recorder's settings as kept in the profile entry "pdb": exactly 28 bytes,
// seven 32-bit little-endian fields. The caller stores and loads the bytes.
#include <array>
#include <cstdint>
#include <vector>

namespace relvo7 {

inline constexpr std::size_t kRecorderSettingsSize = 28;
inline constexpr uint32_t kMinIntervalSeconds = 1;
inline constexpr uint32_t kMaxIntervalSeconds = 86400;

// Colour as red + 256 * green + 65536 * blue.
constexpr uint32_t rgbColor(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }

struct RecorderSettings {
    int32_t autoRecord = 0;
    uint32_t intervalSeconds = 1;
    std::array<uint32_t, 5> channelColor = {rgbColor(81, 178, 67), rgbColor(220, 52, 48), rgbColor(227, 175, 48),
                                            rgbColor(67, 231, 235), rgbColor(111, 58, 57)};
    friend bool operator==(const RecorderSettings&, const RecorderSettings&) = default;
};

std::array<uint8_t, kRecorderSettingsSize> encodeRecorderSettings(const RecorderSettings& s);

// The defaults unless `bytes` is exactly 28 bytes long. The fields are taken as
// stored; use clampInterval() before waiting on the interval.
RecorderSettings decodeRecorderSettings(const uint8_t* bytes, std::size_t size);
inline RecorderSettings decodeRecorderSettings(const std::vector<uint8_t>& b) {
    return decodeRecorderSettings(b.data(), b.size());
}

// The interval field's rule: 0 becomes 1, anything above 86400 becomes 86400.
uint32_t clampInterval(uint64_t seconds);

} // namespace relvo7
