#pragma once
// Byte layout of a day file: a 48-byte header followed by 208-byte records.
// Multi-byte fields are big-endian except the two size fields of the header and
// the 49 measurement values, which are little-endian. Encoding is done byte by
// byte so the layout does not depend on the machine.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace relvo7 {

inline constexpr int kDayFileValueCount = 49;
inline constexpr std::size_t kDayFileHeaderSize = 48;
inline constexpr std::size_t kDayFileRecordSize = 208;
inline constexpr uint32_t kDayFileAlarmFieldSize = 4;
inline constexpr uint32_t kDayFileValueFieldSize = 196;
inline constexpr const char* kTempDayFileName = "~$V.db";

struct DayDate {
    int day = 0;
    int month = 0;
    int year = 0;
    friend bool operator==(const DayDate&, const DayDate&) = default;
};

// Local wall-clock time as the recorder reads it.
struct LocalTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    DayDate date() const { return {day, month, year}; }
    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

// The in-memory form of a time of day as the readers hold it: year, month, day
// of week, day, hour, minute, second, milliseconds. Records fill only hour,
// minute and second.
struct SYSTEMTIME {
    uint16_t wYear = 0, wMonth = 0, wDayOfWeek = 0, wDay = 0;
    uint16_t wHour = 0, wMinute = 0, wSecond = 0, wMilliseconds = 0;
};

// One decoded record.
struct _tagSTRUCT_DATA {
    int32_t connected = 0;
    SYSTEMTIME time;
    uint32_t alarms = 0;
    int32_t values[kDayFileValueCount] = {};
};

// One sample as the recorder takes it, before encoding.
struct Sample {
    int32_t connected = 0;
    int hour = 0, minute = 0, second = 0;
    uint32_t alarms = 0;
    std::array<int32_t, kDayFileValueCount> values{};
};

using HeaderBytes = std::array<uint8_t, kDayFileHeaderSize>;
using RecordBytes = std::array<uint8_t, kDayFileRecordSize>;

// The two version bytes of the header: high and low byte of the low 16 bits.
inline uint8_t versionHigh(uint32_t dataVersion) { return static_cast<uint8_t>((dataVersion >> 8) & 0xFF); }
inline uint8_t versionLow(uint32_t dataVersion) { return static_cast<uint8_t>(dataVersion & 0xFF); }

HeaderBytes encodeHeader(uint32_t dataVersion, const DayDate& date);
RecordBytes encodeRecord(const Sample& sample);

// Decodes one record of `recordSize` bytes (at least 8). Bytes 8-11 are the alarm
// word and the values start at offset 12; what lies outside the record reads as 0.
void decodeRecord(const uint8_t* record, std::size_t recordSize, _tagSTRUCT_DATA& out);

// "DDMMYYYY.db" for part 0, "DDMMYYYYpN.db" for part N > 0.
std::string dayFileName(const DayDate& date, int part);

} // namespace relvo7
