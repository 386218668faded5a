#include "PanelSettings.h"

#include <cstdio>

#include "TextCodec.h"

namespace relvo7::cli {

panel::ConnectionSettings connectionSettingsFromTarget(const LinkTarget& t) {
    panel::ConnectionSettings s;
    if (t.tcp) {
        s.szPortName = u"Modbus TCP";
        unsigned a = 0, b = 0, c = 0, d = 0;
        std::sscanf(t.host.c_str(), "%u.%u.%u.%u", &a, &b, &c, &d);
        s.nIpAddress = (a & 0xFF) << 24 | (b & 0xFF) << 16 | (c & 0xFF) << 8 | (d & 0xFF);
        s.nTcpPort = t.port;
    } else {
        s.szPortName = toUtf16(t.device);
        s.nBaudIndex = t.baudIndex;
        s.nDataBitsIndex = t.dataBitsIndex;
        s.nParityIndex = t.parityIndex;
        s.nStopBitsIndex = t.stopBitsIndex;
    }
    s.nDeviceAddress = static_cast<int32_t>(t.address);
    s.nTimeout = t.timeoutMs;
    s.nRetries = t.retries;
    return s;
}

} // namespace relvo7::cli
