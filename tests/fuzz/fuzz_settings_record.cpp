// libFuzzer: arbitrary bytes as the profile value "system". Only exactly
// 1128 bytes may decode; a decoded record has terminated texts and known scope
// bits, and encoding it and decoding again gives the same record.
#include "settings/SettingsRecord.h"

#include <array>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace relvo7;
    SettingsRecord record = DefaultSettingsRecord();
    const SettingsRecord before = record;
    const auto bytes = std::as_bytes(std::span(data, size));
    const bool decoded = DecodeSettingsRecord(bytes, record);
    if (decoded != (size == kSettingsRecordSize))
        std::abort();
    if (!decoded) {
        if (std::memcmp(&record, &before, sizeof record) != 0)
            std::abort(); // a refused value must leave the record as it was
        return 0;
    }
    if (SettingsTextLength(record.szPortName) >= kSettingsTextChars ||
        SettingsTextLength(record.szPassword) >= kSettingsTextChars || (record.nPasswordScope & ~0x3Eu) != 0)
        std::abort();
    std::array<std::byte, kSettingsRecordSize> again{};
    EncodeSettingsRecord(record, again);
    SettingsRecord second{};
    if (!DecodeSettingsRecord(again, second) || std::memcmp(&record, &second, sizeof record) != 0)
        std::abort();
    (void)IsModbusTcpPort(record);
    (void)AnalogButtonAlarmBits(record);
    return 0;
}
