#include "Connection.h"

#include <chrono>
#include <thread>

#include "Decoding.h"
#include "PanelTexts.h"
#include "SharedState.h"
#include "relvo7link.h"

namespace relvo7::panel {

std::string ipAddressText(uint32_t ip) {
    return format("%d.%d.%d.%d", int(ip >> 24 & 0xFF), int(ip >> 16 & 0xFF), int(ip >> 8 & 0xFF), int(ip & 0xFF));
}

OpenResult openTransport(DeviceLink& link, const ConnectionSettings& s) {
    link.setIoTimeout(s.nTimeout);
    OpenResult r;
    if (usesModbusTcp(s)) {
        const std::string ip = ipAddressText(s.nIpAddress);
        r.linkResult = link.tcpOpen(std::u16string(ip.begin(), ip.end()), s.nTcpPort);
        if (r.linkResult != 0) {
            const uint32_t a = s.nIpAddress;
            r.message = format(text::kMsgTcpOpen, int(a >> 24 & 0xFF), int(a >> 16 & 0xFF), int(a >> 8 & 0xFF),
                               int(a & 0xFF));
            return r;
        }
    } else {
        r.linkResult = link.comOpen(s.szPortName);
        if (r.linkResult != 0) {
            r.message = text::kMsgComOpen;
            return r;
        }
        r.linkResult = link.comSetup(s.nBaudIndex, s.nDataBitsIndex, s.nParityIndex, s.nStopBitsIndex);
        if (r.linkResult != 0) {
            r.message = text::kMsgComSetup;
            return r;
        }
    }
    r.ok = true;
    return r;
}

void closeTransport(DeviceLink& link, const ConnectionSettings& s) {
    if (usesModbusTcp(s)) link.tcpClose();
    else link.comClose();
}

IdentifyResult identifyRelay(DeviceLink& link, uint32_t deviceAddress, uint32_t retries) {
    IdentifyResult r;
    const uint32_t attempts = retries == 0 ? 1 : retries;
    for (int pass = 0; pass < 5; ++pass) {
        for (uint32_t attempt = 0; attempt < attempts; ++attempt) {
            uint8_t buffer[10] = {};
            ++r.reads;
            r.lastResult = link.read03(deviceAddress, dll_nVerDevAdr, 1, buffer, sizeof buffer);
            if (r.lastResult >= 2) {
                r.answered = true;
                r.version = registerAt(buffer, 0);
                if (r.version >= dll_nVerMinor && r.version <= dll_nVerMajor) {
                    r.accepted = true;
                    return r;
                }
                break; // a version we do not serve: next pass at once
            }
            // A reply too short to hold the register counts as a failed read.
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    return r;
}

bool IdentifyDevice(DeviceLink& link, uint32_t deviceAddress, uint32_t retries) {
    const IdentifyResult r = identifyRelay(link, deviceAddress, retries);
    if (r.accepted) {
        DeviceVersion.store(static_cast<int32_t>(r.version));
        return true;
    }
    DeviceVersion.store(0);
    PollingSpeed.store(0.0f);
    return false;
}

} // namespace relvo7::panel
