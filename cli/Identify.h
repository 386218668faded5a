#pragma once
// The relay's identification: up to 5 passes of reads of the version register;
// a pass makes up to `retries` attempts (0 still one) with 100 ms after each
// failed read, and a version outside the accepted range ends the pass at once.
#include <cstdint>

namespace relvo7::cli {

struct IdentifyResult {
    bool accepted = false;
    uint32_t version = 0;    // accepted version, or the last one the relay answered
    bool answered = false;   // the relay answered at least once
    int lastResult = 0;      // last link-library result
    uint32_t reads = 0;      // reads made
};

IdentifyResult identifyRelay(uint32_t address, uint32_t retries);

} // namespace relvo7::cli
