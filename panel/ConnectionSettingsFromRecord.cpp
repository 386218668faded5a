#include "ConnectionSettingsFromRecord.h"

namespace relvo7::panel {

ConnectionSettings connectionSettingsFrom(const SettingsRecord& r) {
    ConnectionSettings s;
    s.nDeviceAddress = SharedLoad(r.nDeviceAddress);
    s.szPortName.assign(r.szPortName, SettingsTextLength(r.szPortName));
    s.nIpAddress = r.nIpAddress;
    s.nTcpPort = r.nTcpPort;
    s.nBaudIndex = r.nBaudIndex;
    s.nDataBitsIndex = r.nDataBitsIndex;
    s.nParityIndex = r.nParityIndex;
    s.nStopBitsIndex = r.nStopBitsIndex;
    s.nTimeout = r.nTimeout;
    s.nRetries = r.nRetries;
    s.bPassword = r.bPassword != 0;
    s.nPasswordScope = r.nPasswordScope;
    s.szPassword.assign(r.szPassword, SettingsTextLength(r.szPassword));
    s.bAnalogTemp1 = r.bAnalogTemp1 != 0;
    s.bAnalogTemp2 = r.bAnalogTemp2 != 0;
    s.bAnalogCurrent = r.bAnalogCurrent != 0;
    s.bAnalogVoltage = r.bAnalogVoltage != 0;
    return s;
}

} // namespace relvo7::panel
