#include "DayFileFormat.h"

#include <cstdio>

namespace relvo7 {

namespace {
void putBE16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v >> 8);
    p[1] = static_cast<uint8_t>(v);
}
void putBE32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}
void putLE32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}
uint16_t getBE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }
uint32_t getBE32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
}
uint32_t getLE32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
} // namespace

HeaderBytes encodeHeader(uint32_t dataVersion, const DayDate& date) {
    HeaderBytes h{};
    h[0] = 'D';
    h[1] = 'B';
    h[6] = versionHigh(dataVersion);
    h[7] = versionLow(dataVersion);
    putBE16(&h[10], static_cast<uint32_t>(date.day));
    putBE16(&h[12], static_cast<uint32_t>(date.month));
    putBE16(&h[14], static_cast<uint32_t>(date.year));
    putLE32(&h[16], kDayFileAlarmFieldSize);
    putLE32(&h[20], kDayFileValueFieldSize);
    return h;
}

RecordBytes encodeRecord(const Sample& s) {
    RecordBytes r{};
    r[1] = static_cast<uint8_t>(s.connected & 0xFF);
    putBE16(&r[2], static_cast<uint32_t>(s.hour));
    putBE16(&r[4], static_cast<uint32_t>(s.minute));
    putBE16(&r[6], static_cast<uint32_t>(s.second));
    putBE32(&r[8], s.alarms);
    for (int i = 0; i < kDayFileValueCount; ++i) putLE32(&r[12 + 4 * i], static_cast<uint32_t>(s.values[i]));
    return r;
}

void decodeRecord(const uint8_t* rec, std::size_t recordSize, _tagSTRUCT_DATA& out) {
    out.connected = rec[1];
    out.time = SYSTEMTIME{};
    out.time.wHour = getBE16(rec + 2);
    out.time.wMinute = getBE16(rec + 4);
    out.time.wSecond = getBE16(rec + 6);
    out.alarms = recordSize >= 12 ? getBE32(rec + 8) : 0;
    for (int i = 0; i < kDayFileValueCount; ++i) {
        const std::size_t at = 12 + 4 * static_cast<std::size_t>(i);
        out.values[i] = at + 4 <= recordSize ? static_cast<int32_t>(getLE32(rec + at)) : 0;
    }
}

std::string dayFileName(const DayDate& d, int part) {
    char name[64];
    if (part == 0)
        std::snprintf(name, sizeof name, "%.2d%.2d%.4d.db", d.day, d.month, d.year);
    else
        std::snprintf(name, sizeof name, "%.2d%.2d%.4dp%d.db", d.day, d.month, d.year, part);
    return name;
}

} // namespace relvo7
