#include "SettingsRecord.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace relvo7 {

SettingsRecord DefaultSettingsRecord()
{
    SettingsRecord r;
    std::memset(&r, 0, sizeof r);
    r.clrBackground = MakeColorRef(134, 148, 168);
    r.clrText = MakeColorRef(0, 0, 0);
    r.clrParameter = MakeColorRef(0, 0, 255);
    r.nDeviceAddress = 1;
    r.nTcpPort = 502;
    r.nIpAddress = 0x7F000001; // 127.0.0.1
    r.nBaudIndex = 0;          // 9600 bit/s
    r.nDataBitsIndex = 3;      // 8 bits
    r.nParityIndex = 0;        // none
    r.nStopBitsIndex = 2;      // 2 stop bits
    r.nTimeout = 500;
    r.nRetries = 3;
    r.bGraphicStyle = 1;
    return r;
}

namespace {

// Walks the record's fields in stored order; every field is a 32-bit word or
// a text of 260 UTF-16 units, so two visitors cover the whole layout.
template <class Rec, class Word, class Text>
void VisitFields(Rec& r, Word word, Text text)
{
    word(r.clrBackground);
    word(r.clrText);
    word(r.clrParameter);
    word(r.nDeviceAddress);
    word(r.nTcpPort);
    word(r.nIpAddress);
    text(r.szPortName);
    word(r.nBaudIndex);
    word(r.nDataBitsIndex);
    word(r.nParityIndex);
    word(r.nStopBitsIndex);
    word(r.nTimeout);
    word(r.nRetries);
    word(r.bTopMost);
    word(r.bAutoStart);
    word(r.bGraphicStyle);
    word(r.bPassword);
    text(r.szPassword);
    word(r.bAutoConnect);
    word(r.nPasswordScope);
    word(r.bAnalogTemp1);
    word(r.bAnalogTemp2);
    word(r.bAnalogCurrent);
    word(r.bAnalogVoltage);
}

void PutLe32(std::byte* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = std::byte((v >> (8 * i)) & 0xFF);
}

std::uint32_t GetLe32(const std::byte* p)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= std::uint32_t(p[i]) << (8 * i);
    return v;
}

} // namespace

void EncodeSettingsRecord(const SettingsRecord& record, std::span<std::byte, kSettingsRecordSize> out)
{
    std::byte* p = out.data();
    VisitFields(
        record,
        [&](auto v) {
            PutLe32(p, std::uint32_t(v));
            p += 4;
        },
        [&](const char16_t (&t)[kSettingsTextChars]) {
            for (char16_t c : t) {
                p[0] = std::byte(c & 0xFF);
                p[1] = std::byte(c >> 8);
                p += 2;
            }
        });
}

bool DecodeSettingsRecord(std::span<const std::byte> bytes, SettingsRecord& record)
{
    if (bytes.size() != kSettingsRecordSize)
        return false;
    SettingsRecord r;
    const std::byte* p = bytes.data();
    VisitFields(
        r,
        [&]<class T>(T& v) {
            v = T(GetLe32(p));
            p += 4;
        },
        [&](char16_t (&t)[kSettingsTextChars]) {
            for (char16_t& c : t) {
                c = char16_t(std::uint16_t(p[0]) | (std::uint16_t(p[1]) << 8));
                p += 2;
            }
            t[kSettingsTextChars - 1] = 0; // a stored text always ends within its places
        });
    r.nPasswordScope &= PasswordScopeAll;
    record = r;
    return true;
}

std::size_t SettingsTextLength(const char16_t (&field)[kSettingsTextChars])
{
    return std::u16string_view(field, std::find(field, field + kSettingsTextChars, u'\0') - field).size();
}

bool AssignSettingsText(char16_t (&field)[kSettingsTextChars], std::u16string_view text)
{
    if (text.size() >= kSettingsTextChars || text.find(u'\0') != std::u16string_view::npos)
        return false;
    std::fill(std::begin(field), std::end(field), u'\0');
    std::copy(text.begin(), text.end(), field);
    return true;
}

bool IsModbusTcpPort(const SettingsRecord& record)
{
    return std::u16string_view(record.szPortName, SettingsTextLength(record.szPortName)) == kModbusTcpPortName;
}

std::uint32_t AnalogButtonAlarmBits(const SettingsRecord& record)
{
    std::uint32_t bits = 0;
    if (record.bAnalogTemp1)
        bits |= (1u << 8) | (1u << 19) | (1u << 20); // At1, ES1, EO1
    if (record.bAnalogTemp2)
        bits |= (1u << 9) | (1u << 21) | (1u << 22); // At2, ES2, EO2
    if (record.bAnalogCurrent)
        bits |= 1u << 25; // AAi
    if (record.bAnalogVoltage)
        bits |= 1u << 26; // AAU
    return bits;
}

} // namespace relvo7
