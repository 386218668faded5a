#pragma once
// Day files as text for relvo7ctl: "db info" (header, count, first and last
// sample, validation) and "db dump" (the records in display units).
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "DayFileReader.h"

namespace relvo7 {

// Exit codes of the db verbs beyond 0 (valid), 1 (cannot be read) and 2 (usage).
enum DayFileExit { DayFileExitOk = 0, DayFileExitUnreadable = 1, DayFileExitCorrupt = 3, DayFileExitWrongVersion = 4 };
int exitCodeFor(DayFileCheck check);

// One measured quantity as a column: raw value / divider, in `unit`.
struct MeasureColumn {
    int32_t divider = 1;
    std::string code; // may be empty
    std::string unit;
};

// "12.3" for 123 / 10, "-0.05" for -5 / 100, "7" for 7 / 1.
std::string formatScaled(int32_t raw, int32_t divider);

int printDayFileInfo(const std::string& path, uint32_t dataVersion, bool json, std::ostream& out, std::ostream& err);
int printDayFileDump(const std::string& path, uint32_t dataVersion, const std::vector<MeasureColumn>& columns, bool csv,
                     std::ostream& out, std::ostream& err);

} // namespace relvo7
