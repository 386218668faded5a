#include "DeviceLink.h"

#include "relvo7link.h"

namespace relvo7::panel {

void RealLink::setIoTimeout(uint32_t ms) { DLL_SetIOTimeout(ms); }
int RealLink::comOpen(const std::u16string& portName) { return COM_Open(portName.c_str()); }
int RealLink::comSetup(uint32_t baud, uint32_t dataBits, uint32_t parity, uint32_t stopBits) {
    return COM_Setup(baud, dataBits, parity, stopBits);
}
int RealLink::comClose() { return COM_Close(); }
bool RealLink::comIsOpen() { return COM_IsOpen() != 0; }
int RealLink::tcpOpen(const std::u16string& address, uint32_t port) { return TCP_Open(address.c_str(), port); }
int RealLink::tcpClose() { return TCP_Close(); }
bool RealLink::tcpIsOpen() { return TCP_IsOpen() != 0; }
int RealLink::read03(uint32_t address, uint32_t first, uint32_t count, uint8_t* buffer, uint32_t size) {
    return MODBUS_Read03(address, first, count, buffer, size);
}
int RealLink::write06(uint32_t address, uint32_t reg, int32_t value) { return MODBUS_Write06(address, reg, &value); }

} // namespace relvo7::panel
