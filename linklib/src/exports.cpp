// The library's exported C interface.
#include "relvo7link.h"

#include <mutex>

#include "link_state.h"
#include "serial_port.h"
#include "tcp_socket.h"
#include "transaction.h"
#include "transaction_queue.h"

using namespace relvo7link;

namespace {

// Waits for this call's turn, then runs it on the transport selected at that moment.
int queued(const Request& request)
{
    if (activeTransport.load() == nullptr)
        return MODBUS_ERR_IO;   // no ticket taken
    TransactionQueue& queue = transactionQueue();
    const int32_t ticket = queue.takeTicket();
    queue.waitTurn(ticket);
    int result = MODBUS_ERR_IO;
    {
        std::lock_guard lock(linkMutex());
        if (const Transport* transport = activeTransport.load())
            result = runTransaction(*transport, request, ioTimeoutMs.load());
    }
    queue.finish();
    return result;
}

}  // namespace

extern "C" {

int COM_Open(const char16_t* portName) { return serialOpen(portName); }

int COM_Setup(uint32_t baudIndex, uint32_t dataBitsIndex, uint32_t parityIndex, uint32_t stopBitsIndex)
{
    return serialSetup(baudIndex, dataBitsIndex, parityIndex, stopBitsIndex);
}

int COM_Close(void) { return serialClose(); }
int COM_IsOpen(void) { return serialIsOpen() ? 1 : 0; }

int TCP_Open(const char16_t* address, uint32_t port) { return tcpOpen(address, port); }
int TCP_Close(void) { return tcpClose(); }
int TCP_IsOpen(void) { return tcpIsOpen() ? 1 : 0; }

int MODBUS_Read03(uint32_t deviceAddress, uint32_t firstRegister, uint32_t registerCount, uint8_t* buffer,
                  uint32_t bufferSize)
{
    const Request request{0x03, static_cast<uint8_t>(deviceAddress), static_cast<uint16_t>(firstRegister),
                          static_cast<uint16_t>(registerCount), buffer, buffer ? bufferSize : 0};
    return queued(request);
}

int MODBUS_Write06(uint32_t deviceAddress, uint32_t reg, const int32_t* value)
{
    if (value == nullptr)
        return MODBUS_ERR_IO;   // nothing to send
    const Request request{0x06, static_cast<uint8_t>(deviceAddress), static_cast<uint16_t>(reg),
                          static_cast<uint16_t>(*value & 0xFFFF), nullptr, 0};
    return queued(request);
}

uint32_t MODBUS_GetDeviceError(void) { return deviceError.load(); }

void DLL_SetIOTimeout(uint32_t milliseconds) { ioTimeoutMs = milliseconds; }
void DLL_SetUserFlag(uint32_t value) { userFlag = value; }
uint32_t DLL_GetUserFlag(void) { return userFlag.load(); }

}  // extern "C"
