#pragma once
// The program's settings record: one fixed-layout block of 1128 bytes, stored
// whole as the profile value "system" (little-endian, no header, no version).
// Every part of the program reads its fields directly from the one live record
// (relvo7::Settings(), settings/SettingsStore.h). Only the window thread writes
// it; worker threads that read a field another thread may change at the same
// time use SharedLoad/SharedStore below, so no read is a data race.
// Standard library only, so headless code of any subsystem can include it.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace relvo7 {

// Colours are stored as 0x00BBGGRR.
using ColorRef = std::uint32_t;
constexpr ColorRef MakeColorRef(int r, int g, int b)
{
    return std::uint32_t(r & 0xFF) | (std::uint32_t(g & 0xFF) << 8) | (std::uint32_t(b & 0xFF) << 16);
}
constexpr int ColorRed(ColorRef c) { return int(c & 0xFF); }
constexpr int ColorGreen(ColorRef c) { return int((c >> 8) & 0xFF); }
constexpr int ColorBlue(ColorRef c) { return int((c >> 16) & 0xFF); }

// Text fields hold 260 UTF-16 units, zero-terminated, the rest zero.
constexpr std::size_t kSettingsTextChars = 260;

// The text that, as port name, selects Modbus TCP.
inline constexpr char16_t kModbusTcpPortName[] = u"Modbus TCP";

// Bits of nPasswordScope: which actions ask for the password.
enum PasswordScope : std::uint32_t {
    PasswordScopeStart = 0x02,      // "uruchomienia programu"
    PasswordScopeSettings = 0x04,   // "otwarcia okna ustawień"
    PasswordScopeParameters = 0x08, // "zmiany parametrów RELVO-7"
    PasswordScopeConnect = 0x10,    // "podłączenia do RELVO-7"
    PasswordScopeDatabase = 0x20,   // "zarządzania bazą danych"
    PasswordScopeAll = 0x3E,
};

struct SettingsRecord {
    ColorRef clrBackground;                  //    0
    ColorRef clrText;                        //    4
    ColorRef clrParameter;                   //    8
    std::int32_t nDeviceAddress;             //   12 only the low 8 bits go on the wire
    std::uint32_t nTcpPort;                  //   16
    std::uint32_t nIpAddress;                //   20 most significant byte = first number
    char16_t szPortName[kSettingsTextChars]; //   24 e.g. "ttyUSB0", or "Modbus TCP"
    std::uint32_t nBaudIndex;                //  544 COM_Setup arguments ...
    std::uint32_t nDataBitsIndex;            //  548
    std::uint32_t nParityIndex;              //  552
    std::uint32_t nStopBitsIndex;            //  556
    std::uint32_t nTimeout;                  //  560 ms, for DLL_SetIOTimeout
    std::uint32_t nRetries;                  //  564 attempts of identification and parameter transfer
    std::int32_t bTopMost;                   //  568
    std::int32_t bAutoStart;                 //  572
    std::int32_t bGraphicStyle;              //  576 1: own colours; 0: the desktop's colours
    std::int32_t bPassword;                  //  580
    char16_t szPassword[kSettingsTextChars]; //  584 plain text, compared case-sensitively
    std::int32_t bAutoConnect;               // 1104
    std::uint32_t nPasswordScope;            // 1108 PasswordScope bits
    // AnalogButtonInputs: inputs used as buttons ("Przycisk analogowy").
    std::int32_t bAnalogTemp1;   // 1112
    std::int32_t bAnalogTemp2;   // 1116
    std::int32_t bAnalogCurrent; // 1120
    std::int32_t bAnalogVoltage; // 1124
};

constexpr std::size_t kSettingsRecordSize = 1128;

static_assert(sizeof(char16_t) == 2);
static_assert(sizeof(SettingsRecord) == kSettingsRecordSize);
static_assert(offsetof(SettingsRecord, clrBackground) == 0);
static_assert(offsetof(SettingsRecord, clrText) == 4);
static_assert(offsetof(SettingsRecord, clrParameter) == 8);
static_assert(offsetof(SettingsRecord, nDeviceAddress) == 12);
static_assert(offsetof(SettingsRecord, nTcpPort) == 16);
static_assert(offsetof(SettingsRecord, nIpAddress) == 20);
static_assert(offsetof(SettingsRecord, szPortName) == 24);
static_assert(offsetof(SettingsRecord, nBaudIndex) == 544);
static_assert(offsetof(SettingsRecord, nDataBitsIndex) == 548);
static_assert(offsetof(SettingsRecord, nParityIndex) == 552);
static_assert(offsetof(SettingsRecord, nStopBitsIndex) == 556);
static_assert(offsetof(SettingsRecord, nTimeout) == 560);
static_assert(offsetof(SettingsRecord, nRetries) == 564);
static_assert(offsetof(SettingsRecord, bTopMost) == 568);
static_assert(offsetof(SettingsRecord, bAutoStart) == 572);
static_assert(offsetof(SettingsRecord, bGraphicStyle) == 576);
static_assert(offsetof(SettingsRecord, bPassword) == 580);
static_assert(offsetof(SettingsRecord, szPassword) == 584);
static_assert(offsetof(SettingsRecord, bAutoConnect) == 1104);
static_assert(offsetof(SettingsRecord, nPasswordScope) == 1108);
static_assert(offsetof(SettingsRecord, bAnalogTemp1) == 1112);
static_assert(offsetof(SettingsRecord, bAnalogTemp2) == 1116);
static_assert(offsetof(SettingsRecord, bAnalogCurrent) == 1120);
static_assert(offsetof(SettingsRecord, bAnalogVoltage) == 1124);

// The record with every field at its default (empty port name and password).
SettingsRecord DefaultSettingsRecord();

// The stored form. The byte layout is the struct's on a little-endian machine;
// the encoder and decoder do the byte order themselves so it stays so anywhere.
void EncodeSettingsRecord(const SettingsRecord& record, std::span<std::byte, kSettingsRecordSize> out);
// Accepts exactly kSettingsRecordSize bytes; any other length leaves `record`
// untouched and returns false. Texts are forced to end with a zero within
// their 260 places and bit 0 / bits 6-31 of nPasswordScope are cleared, so a
// damaged profile cannot give an unterminated string or unknown scope bits.
bool DecodeSettingsRecord(std::span<const std::byte> bytes, SettingsRecord& record);

// Text fields: length up to the first zero, and assignment that clears all
// 260 places first. Assign returns false (field untouched) when the text does
// not fit with its terminating zero.
std::size_t SettingsTextLength(const char16_t (&field)[kSettingsTextChars]);
bool AssignSettingsText(char16_t (&field)[kSettingsTextChars], std::u16string_view text);
bool IsModbusTcpPort(const SettingsRecord& record);

// Alarm bits (rows of dll_nErrInfo) removed from the relay's alarm word for
// the analog inputs used as buttons.
std::uint32_t AnalogButtonAlarmBits(const SettingsRecord& record);

// Lock-free, race-free access to one 32-bit field that another thread may
// write at the same time (e.g. nDeviceAddress, changed by the panel's address
// field while the polling thread reads it).
template <class T>
T SharedLoad(const T& field)
{
    static_assert(sizeof(T) == 4);
    return std::atomic_ref<T>(const_cast<T&>(field)).load(std::memory_order_relaxed);
}
template <class T>
void SharedStore(T& field, T value)
{
    static_assert(sizeof(T) == 4);
    std::atomic_ref<T>(field).store(value, std::memory_order_relaxed);
}

} // namespace relvo7
