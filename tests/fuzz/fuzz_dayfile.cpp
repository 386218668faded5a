// libFuzzer target: the day-file reader and the "pdb" settings record, fed
// arbitrary bytes. Whatever comes in, the reader answers with a check result
// and never reads outside the input; a valid file's record count follows from
// its size and the record size in its header.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "DayFileReader.h"
#include "RecorderSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace relvo7;
    for (uint32_t version : {31u, 0u, 0x1234u}) {
        const DayFileContents c = decodeDayFile(data, size, version);
        if (c.layout.check == DayFileCheck::Ok) {
            const std::size_t rs = c.layout.header.recordSize;
            if (rs < 8 || c.records.size() != (size - kDayFileHeaderSize) / rs) std::abort();
        } else if (!c.records.empty()) {
            std::abort();
        }
        if (size < kDayFileHeaderSize && c.layout.check != DayFileCheck::TooShort) std::abort();
    }
    const RecorderSettings s = decodeRecorderSettings(data, size);
    if (size == kRecorderSettingsSize) {
        const auto again = encodeRecorderSettings(s);
        if (std::memcmp(again.data(), data, size) != 0) std::abort();
    } else if (!(s == RecorderSettings{})) {
        std::abort();
    }
    return 0;
}
