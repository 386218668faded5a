#include "Decoding.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>

#include "PanelTexts.h"
#include "relvo7link.h"

namespace relvo7::panel {

std::string format(const char* fmt, ...) {
    char small[256];
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(small, sizeof small, fmt, args);
    va_end(args);
    std::string out;
    if (n < 0) {
        va_end(copy);
        return out;
    }
    if (static_cast<size_t>(n) < sizeof small) {
        out.assign(small, static_cast<size_t>(n));
    } else {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, copy);
        out.resize(static_cast<size_t>(n));
    }
    va_end(copy);
    return out;
}

std::string toUtf8(const char16_t* text) {
    std::string out;
    if (!text) return out;
    for (const char16_t* p = text; *p; ++p) {
        uint32_t c = *p;
        if (c >= 0xD800 && c <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<uint32_t>(p[1]) - 0xDC00);
            ++p;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD; // lone surrogate
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string timeText(const char* fmt, std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[64];
    const size_t n = std::strftime(buf, sizeof buf, fmt, &tm);
    return std::string(buf, n);
}

int ctFactor(uint32_t deviceVersion, uint16_t tPt, uint16_t tnt) {
    return (deviceVersion >= 15 && tPt != 0 && tnt > 100) ? 10 : 1;
}

Temperature decodeTemperature(uint16_t raw, int sensor, bool usedAsButton) {
    if (usedAsButton) return {0, text::kTextNoDot};
    if (raw > 990 && raw < 1010) return {-80, text::kTextShort};
    if (raw > 1990 && raw < 2010) return {sensor == 1 ? 200 : 300, text::kTextOpen};
    if (raw > 4990 && raw < 5010) return {0, text::kTextOff};
    const int32_t celsius = static_cast<int16_t>(raw);
    return {celsius, format(text::kFmtDegrees, celsius)};
}

uint32_t heatingPercent(uint32_t thermalValue) {
    const uint32_t limited = thermalValue > 11000000u ? 11000000u : thermalValue;
    return limited * 100u / 1100000u;
}

namespace {

// Truncation toward zero, held inside the 32-bit range (a float outside it
// would be undefined to convert).
int64_t truncToInt(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int64_t>(v);
}

int32_t clamp32(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

int64_t hypotenuse(int64_t a, int64_t b) {
    return truncToInt(std::sqrt(static_cast<double>(a) * static_cast<double>(a) +
                                static_cast<double>(b) * static_cast<double>(b)));
}

} // namespace

Powers computePowers(const std::array<int32_t, 3>& volts, const std::array<int32_t, 3>& deciamps,
                     const std::array<int32_t, 3>& cosThousandths) {
    Powers out;
    int64_t sumP = 0, sumQ = 0;
    for (int k = 0; k < 3; ++k) {
        const float u = static_cast<float>(volts[k]);
        const float i = static_cast<float>(deciamps[k]) / 10.0f;
        const int32_t c = cosThousandths[k];
        int64_t p = truncToInt(u * i * (static_cast<float>(c) / 1000.0f));
        if (p < 0) p = 0;
        // 64-bit, so that a power factor far outside +-1000 cannot overflow.
        const int64_t under = 1000000 - static_cast<int64_t>(c) * c;
        int64_t q = 0;
        if (under >= 0) {
            q = truncToInt(u * i * (std::sqrt(static_cast<float>(under)) / 1000.0f));
            if (q < 0) q = 0;
        }
        const int64_t s = hypotenuse(p, q);
        out.Pk[k] = clamp32(p);
        out.Qk[k] = clamp32(q);
        out.Sk[k] = clamp32(s);
        out.cosk[k] = c;
        sumP += p;
        sumQ += q;
    }
    out.P = clamp32(sumP);
    out.Q = clamp32(sumQ);
    out.S = clamp32(hypotenuse(sumP, sumQ));
    return out;
}

std::array<int32_t, 15> powerBlock(const Powers& p) {
    return {p.S / 10,     p.P / 10,     p.Q / 10,     p.Sk[0] / 10,   p.Sk[1] / 10,
            p.Sk[2] / 10, p.Pk[0] / 10, p.Pk[1] / 10, p.Pk[2] / 10,   p.Qk[0] / 10,
            p.Qk[1] / 10, p.Qk[2] / 10, p.cosk[0] / 10, p.cosk[1] / 10, p.cosk[2] / 10};
}

std::string powerChoiceText(const Powers& p, int choice) {
    auto kilo = [](int32_t w) { return static_cast<double>(w) / 1000.0; };
    switch (choice) {
    case 0: return format(text::kFmtKva, kilo(p.S));
    case 1: return format(text::kFmtKw, kilo(p.P));
    case 2: return format(text::kFmtKvar, kilo(p.Q));
    case 3: case 4: case 5: return format(text::kFmtKva, kilo(p.Sk[choice - 3]));
    case 6: case 7: case 8: return format(text::kFmtKw, kilo(p.Pk[choice - 6]));
    case 9: case 10: case 11: return format(text::kFmtKvar, kilo(p.Qk[choice - 9]));
    case 12: case 13: case 14: return format(text::kFmtCos, kilo(p.cosk[choice - 12]));
    default: return {};
    }
}

bool alarmValueTakesCt(int alarmRow) {
    switch (alarmRow) {
    case 0: case 2: case 4: case 5: case 6: case 7: case 11: return true;
    default: return false;
    }
}

std::string alarmValueText(int alarmRow, uint16_t raw, int ct) {
    if (alarmRow < 0 || alarmRow >= RELVO7_ERR_INFO_COUNT) return {};
    const _tagSTRUCT_ERR_INFO& info = dll_nErrInfo[alarmRow];
    const int32_t value = alarmValueTakesCt(alarmRow) ? static_cast<int32_t>(raw) * ct : raw;
    const std::string unit = toUtf8(info.pszUnit);
    if (info.nDivider > 0)
        return format(text::kFmtAlarmDecimal, static_cast<double>(value) / info.nDivider, unit.c_str());
    return format(text::kFmtAlarmInteger, value, unit.c_str());
}

} // namespace relvo7::panel
