#pragma once
// The settings the connect sequence and the polling cycle read, as a plain
// value taken afresh at every connect (ConnectionSettingsFromRecord.h fills it
// from the program's settings record).
#include <cstdint>
#include <string>

namespace relvo7::panel {

struct ConnectionSettings {
    int32_t nDeviceAddress = 1;
    std::u16string szPortName;          // "Modbus TCP" (exactly) selects Modbus TCP
    uint32_t nIpAddress = 0x7F000001u;  // most significant byte = first number
    uint32_t nTcpPort = 502;
    uint32_t nBaudIndex = 0, nDataBitsIndex = 3, nParityIndex = 0, nStopBitsIndex = 2;
    uint32_t nTimeout = 500;            // ms
    uint32_t nRetries = 3;              // attempts per identification pass (0 still one)
    bool bPassword = false;
    uint32_t nPasswordScope = 0;
    std::u16string szPassword;
    // Inputs used as buttons, not sensors.
    bool bAnalogTemp1 = false, bAnalogTemp2 = false, bAnalogCurrent = false, bAnalogVoltage = false;
};

inline constexpr uint32_t kPasswordScopeConnect = 0x10;

// Only this exact text selects Modbus TCP; anything else is a serial port name.
inline bool usesModbusTcp(const ConnectionSettings& s) { return s.szPortName == u"Modbus TCP"; }

} // namespace relvo7::panel
