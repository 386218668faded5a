#pragma once
// Turning the relay's raw register values into the panel's numbers and texts.
// Pure functions, no link and no state.
#include <array>
#include <cstdint>
#include <ctime>
#include <string>

namespace relvo7::panel {

// printf into a std::string (UTF-8 formats and arguments).
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
// A table text (UTF-16) as UTF-8.
std::string toUtf8(const char16_t* text);
// Local time of `t` with a strftime format.
std::string timeText(const char* fmt, std::time_t t);

// Register i of a reply: byte 2i high, byte 2i+1 low.
inline uint16_t registerAt(const uint8_t* data, int i) {
    return static_cast<uint16_t>(data[2 * i] * 256 + data[2 * i + 1]);
}

// Current-transformer factor: 10 with an external transformer above 100 A on
// relays of version 15 or later, else 1.
int ctFactor(uint32_t deviceVersion, uint16_t tPt, uint16_t tnt);

// Temperature sensor 1 or 2: the value stored in the measurement block and
// the label text.
struct Temperature {
    int32_t stored = 0;
    std::string text;
};
Temperature decodeTemperature(uint16_t raw, int sensor, bool usedAsButton);

// Heating percent of a thermal-model value: limited to 11 000 000, of which
// 1 100 000 is 100 %.
uint32_t heatingPercent(uint32_t thermalValue);

// Powers from the three phases' voltages (V), currents (0.1 A, CT already
// applied) and power factors (thousandths). All in W, var, VA, except cos.
struct Powers {
    int32_t S = 0, P = 0, Q = 0;
    std::array<int32_t, 3> Sk{}, Pk{}, Qk{}, cosk{};
};
Powers computePowers(const std::array<int32_t, 3>& volts, const std::array<int32_t, 3>& deciamps,
                     const std::array<int32_t, 3>& cosThousandths);
// The 15 measurement-block values 34..48 (units of 10 W and of 0.01 for cos).
std::array<int32_t, 15> powerBlock(const Powers& p);
// Text of a power choice 0..14 (order of the panel's power combo boxes); "" otherwise.
std::string powerChoiceText(const Powers& p, int choice);

// Value column of an alarm row from the alarm's value register.
std::string alarmValueText(int alarmRow, uint16_t raw, int ctFactor);
// Alarm rows whose value is a current and so takes the CT factor.
bool alarmValueTakesCt(int alarmRow);

} // namespace relvo7::panel
