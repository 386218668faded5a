#pragma once
// The one rule by which every reader (database list, chart, spreadsheet export,
// relvo7ctl) takes a day file apart: validate the header, take the record size
// from it, count whole records (a trailing partial record is ignored) and decode.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "DayFileFormat.h"

namespace relvo7 {

enum class DayFileCheck {
    Ok,
    CannotOpen,   // the file cannot be opened or read
    TooShort,     // shorter than the 48-byte header
    NoMagic,      // bytes 0-1 are not "DB"
    WrongVersion, // magic right, bytes 6-7 differ from the running data version
    TooManyRecords, // more records than any recording could hold (a damaged header)
};

// A day holds at most 90 000 samples (one a second, 25 hours on the day the
// clocks go back); anything far beyond is refused rather than decoded into
// memory, since small stated field sizes would make a large file huge in memory.
inline constexpr std::size_t kMaxDayFileRecords = 1000000;

const char* describe(DayFileCheck check);

struct DayFileHeader {
    DayDate date;                // bytes 10-15, big-endian
    uint16_t alarmFieldSize = 0; // 16-bit little-endian at 16
    uint16_t valueFieldSize = 0; // 16-bit little-endian at 20
    std::size_t recordSize = 0;  // alarm + value + 8
    uint8_t versionHigh = 0, versionLow = 0;
};

struct DayFileLayout {
    DayFileCheck check = DayFileCheck::CannotOpen;
    DayFileHeader header;
    std::size_t recordCount = 0;
};

// Validates `size` bytes of which `bytes` holds at least the first 48 (or all,
// when shorter) and counts the records a file of that size holds.
DayFileLayout inspectDayFileBytes(const uint8_t* bytes, std::size_t size, uint32_t dataVersion);

struct DayFileContents {
    DayFileLayout layout;
    std::vector<_tagSTRUCT_DATA> records; // empty unless layout.check is Ok
};

// Decodes a whole file image (used by the file reader and the fuzz target).
DayFileContents decodeDayFile(const uint8_t* bytes, std::size_t size, uint32_t dataVersion);

// Reads and decodes a file in one pass.
DayFileContents readDayFile(const std::string& path, uint32_t dataVersion);

// Header, count and only the first and last records: what a file list needs.
struct DayFileSummary {
    DayFileLayout layout;
    bool hasRecords = false;
    _tagSTRUCT_DATA first, last;
};
DayFileSummary summarizeDayFile(const std::string& path, uint32_t dataVersion);

} // namespace relvo7
