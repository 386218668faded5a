#include "Identify.h"

#include <chrono>
#include <thread>

#include "relvo7link.h"

namespace relvo7::cli {

IdentifyResult identifyRelay(uint32_t address, uint32_t retries) {
    IdentifyResult r;
    const uint32_t attempts = retries == 0 ? 1 : retries;
    for (int pass = 0; pass < 5; ++pass) {
        for (uint32_t attempt = 0; attempt < attempts; ++attempt) {
            uint8_t buffer[10] = {};
            ++r.reads;
            r.lastResult = MODBUS_Read03(address, dll_nVerDevAdr, 1, buffer, sizeof buffer);
            if (r.lastResult > 0) {
                r.answered = true;
                r.version = static_cast<uint32_t>(buffer[0]) * 256u + buffer[1];
                if (r.version >= dll_nVerMinor && r.version <= dll_nVerMajor) {
                    r.accepted = true;
                    return r;
                }
                break; // a version out of range ends the pass without a pause
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    return r;
}

} // namespace relvo7::cli
