#pragma once
// The connection options every link verb shares, and opening/closing the link
// library's transport from them.
#include <cstdint>
#include <string>
#include <vector>

#include "Args.h"

namespace relvo7::cli {

struct LinkTarget {
    bool tcp = false;
    std::string host;          // dotted IPv4 (names are resolved before use)
    uint32_t port = 502;
    std::string device;        // serial device, e.g. ttyUSB0 or /dev/pts/3
    uint32_t baudIndex = 0;    // COM_Setup indexes
    uint32_t dataBitsIndex = 3;
    uint32_t parityIndex = 0;
    uint32_t stopBitsIndex = 2;
    uint32_t address = 1;      // Modbus device address
    uint32_t timeoutMs = 500;
    uint32_t retries = 3;      // attempts per operation (0 still makes one)
};

// Option names the link verbs accept (each takes a value).
const std::vector<std::string>& linkValueOptions();

// Throws UsageError when neither --tcp nor --serial is given or a value is bad.
LinkTarget linkTargetFromArgs(const Args& args);

// Sets the time-out and opens the transport. Returns false with a reason.
bool openLink(const LinkTarget& target, std::string& error);
void closeLink(const LinkTarget& target);

// "time-out", "exception code 2", "CRC error", ... for a link-library result.
std::string describeLinkResult(int code);

// Attempts of one operation: retries taken as unsigned, 0 still one attempt.
inline uint32_t attemptsFor(uint32_t retries) { return retries == 0 ? 1 : retries; }

} // namespace relvo7::cli
