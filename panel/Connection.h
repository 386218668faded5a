#pragma once
// Opening, identifying and closing the relay link: the steps the panel's
// connect sequence, the fault-journal download and relvo7ctl share.
#include <cstdint>
#include <string>

#include "ConnectionSettings.h"
#include "DeviceLink.h"

namespace relvo7::panel {

// "a.b.c.d", most significant byte first.
std::string ipAddressText(uint32_t ip);

// Sets the time-out and opens the transport the settings name (for a serial
// port also sets the line up). On failure `message` holds the text to show
// and the transport that was tried is still to be closed by closeTransport.
struct OpenResult {
    bool ok = false;
    std::string message; // UTF-8
    int linkResult = 0;
};
OpenResult openTransport(DeviceLink& link, const ConnectionSettings& settings);
void closeTransport(DeviceLink& link, const ConnectionSettings& settings);

// Up to 5 passes of reads of the version register; each pass makes up to
// `retries` attempts (0 still one) with a 100 ms pause after a failed read;
// a version outside the accepted range ends the pass at once.
struct IdentifyResult {
    bool accepted = false;
    uint32_t version = 0;      // accepted version, or the last one answered
    bool answered = false;     // the relay answered at least once
    int lastResult = 0;        // last link result
    uint32_t reads = 0;
};
IdentifyResult identifyRelay(DeviceLink& link, uint32_t deviceAddress, uint32_t retries);

// The panel's IdentifyDevice: stores the version in DeviceVersion, or on
// failure sets DeviceVersion to 0 and PollingSpeed to 0.0.
bool IdentifyDevice(DeviceLink& link, uint32_t deviceAddress, uint32_t retries);

} // namespace relvo7::panel
