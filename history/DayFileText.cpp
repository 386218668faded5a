#include "DayFileText.h"

#include <cstdio>

namespace relvo7 {

namespace {

std::string twoDigits(int hour, int minute, int second) {
    char b[32];
    std::snprintf(b, sizeof b, "%.2d:%.2d:%.2d", hour, minute, second);
    return b;
}
std::string timeText(const _tagSTRUCT_DATA& r) { return twoDigits(r.time.wHour, r.time.wMinute, r.time.wSecond); }
std::string dateText(const DayDate& d) {
    char b[32];
    std::snprintf(b, sizeof b, "%.2d.%.2d.%.4d", d.day, d.month, d.year);
    return b;
}
std::string hex32(uint32_t v) {
    char b[16];
    std::snprintf(b, sizeof b, "%08X", v);
    return b;
}
std::string columnName(const MeasureColumn& c, std::size_t row) {
    std::string name = c.code.empty() ? "v" + std::to_string(row) : c.code;
    if (!c.unit.empty()) name += " [" + c.unit + "]";
    return name;
}
std::string csvField(const std::string& s) {
    if (s.find_first_of(",\"\n") == std::string::npos) return s;
    std::string q = "\"";
    for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

} // namespace

int exitCodeFor(DayFileCheck check) {
    switch (check) {
    case DayFileCheck::Ok: return DayFileExitOk;
    case DayFileCheck::CannotOpen: return DayFileExitUnreadable;
    case DayFileCheck::TooShort:
    case DayFileCheck::NoMagic:
    case DayFileCheck::TooManyRecords: return DayFileExitCorrupt;
    case DayFileCheck::WrongVersion: return DayFileExitWrongVersion;
    }
    return DayFileExitUnreadable;
}

std::string formatScaled(int32_t raw, int32_t divider) {
    if (divider <= 1) return std::to_string(raw);
    std::size_t decimals = 0;
    int32_t d = divider;
    for (; d % 10 == 0; d /= 10) ++decimals;
    if (d != 1) { // not a power of ten: three decimals will do
        char b[48];
        std::snprintf(b, sizeof b, "%.3f", static_cast<double>(raw) / divider);
        return b;
    }
    const int64_t v = raw, mag = v < 0 ? -v : v;
    std::string frac = std::to_string(mag % divider);
    frac.insert(0, decimals - frac.size(), '0');
    return (v < 0 ? "-" : "") + std::to_string(mag / divider) + "." + frac;
}

int printDayFileInfo(const std::string& path, uint32_t dataVersion, bool json, std::ostream& out, std::ostream& err) {
    const DayFileSummary s = summarizeDayFile(path, dataVersion);
    const DayFileLayout& l = s.layout;
    const int code = exitCodeFor(l.check);
    if (l.check == DayFileCheck::CannotOpen) {
        err << "relvo7ctl db info: " << path << " cannot be opened\n";
        return code;
    }
    const bool headerRead = l.check != DayFileCheck::TooShort;
    const std::string first = s.hasRecords ? timeText(s.first) : "", last = s.hasRecords ? timeText(s.last) : "";
    if (json) {
        const char* check = l.check == DayFileCheck::Ok             ? "valid"
                            : l.check == DayFileCheck::WrongVersion ? "wrong-version"
                                                                    : "corrupt";
        out << "{\"check\":\"" << check << "\"";
        if (headerRead)
            out << ",\"date\":\"" << dateText(l.header.date) << "\",\"version\":"
                << (l.header.versionHigh << 8 | l.header.versionLow);
        if (l.check == DayFileCheck::Ok)
            out << ",\"records\":" << l.recordCount << ",\"recordSize\":" << l.header.recordSize << ",\"first\":"
                << (s.hasRecords ? "\"" + first + "\"" : "null") << ",\"last\":"
                << (s.hasRecords ? "\"" + last + "\"" : "null");
        out << "}\n";
        return code;
    }
    out << "file:    " << path << "\n";
    if (headerRead) {
        out << "date:    " << dateText(l.header.date) << "\n";
        out << "version: " << (l.header.versionHigh << 8 | l.header.versionLow) << "\n";
    }
    if (l.check == DayFileCheck::Ok) {
        out << "records: " << l.recordCount << " of " << l.header.recordSize << " bytes (alarm field "
            << l.header.alarmFieldSize << ", value field " << l.header.valueFieldSize << ")\n";
        out << "first:   " << (s.hasRecords ? first : "-") << "\n";
        out << "last:    " << (s.hasRecords ? last : "-") << "\n";
    }
    out << "check:   " << describe(l.check) << "\n";
    return code;
}

int printDayFileDump(const std::string& path, uint32_t dataVersion, const std::vector<MeasureColumn>& columns, bool csv,
                     std::ostream& out, std::ostream& err) {
    const DayFileContents c = readDayFile(path, dataVersion);
    if (c.layout.check != DayFileCheck::Ok) {
        err << "relvo7ctl db dump: " << path << ": " << describe(c.layout.check) << "\n";
        return exitCodeFor(c.layout.check);
    }
    const std::string sep = csv ? "," : "\t";
    const std::string date = dateText(c.layout.header.date);
    out << "date" << sep << "time" << sep << "connected" << sep << "alarms";
    for (std::size_t i = 0; i < kDayFileValueCount; ++i) {
        const MeasureColumn col = i < columns.size() ? columns[i] : MeasureColumn{};
        out << sep << (csv ? csvField(columnName(col, i)) : columnName(col, i));
    }
    out << "\n";
    std::string line;
    for (const auto& r : c.records) {
        line = date + sep + timeText(r) + sep + std::to_string(r.connected) + sep + hex32(r.alarms);
        for (std::size_t i = 0; i < kDayFileValueCount; ++i)
            line += sep + formatScaled(r.values[i], i < columns.size() ? columns[i].divider : 1);
        out << line << "\n";
    }
    return DayFileExitOk;
}

} // namespace relvo7
