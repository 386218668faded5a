#pragma once
// The link-library calls the panel makes, behind one small interface so that
// a test can watch the real traffic (which registers, in which order, how
// often) by wrapping RealLink. Production code uses RealLink only.
#include <cstdint>
#include <string>

namespace relvo7::panel {

class DeviceLink {
public:
    virtual ~DeviceLink() = default;
    virtual void setIoTimeout(uint32_t ms) = 0;
    virtual int comOpen(const std::u16string& portName) = 0;
    virtual int comSetup(uint32_t baud, uint32_t dataBits, uint32_t parity, uint32_t stopBits) = 0;
    virtual int comClose() = 0;
    virtual bool comIsOpen() = 0;
    virtual int tcpOpen(const std::u16string& address, uint32_t port) = 0;
    virtual int tcpClose() = 0;
    virtual bool tcpIsOpen() = 0;
    virtual int read03(uint32_t address, uint32_t first, uint32_t count, uint8_t* buffer, uint32_t size) = 0;
    virtual int write06(uint32_t address, uint32_t reg, int32_t value) = 0;
};

// Straight through to librelvo7link.
class RealLink : public DeviceLink {
public:
    void setIoTimeout(uint32_t ms) override;
    int comOpen(const std::u16string& portName) override;
    int comSetup(uint32_t baud, uint32_t dataBits, uint32_t parity, uint32_t stopBits) override;
    int comClose() override;
    bool comIsOpen() override;
    int tcpOpen(const std::u16string& address, uint32_t port) override;
    int tcpClose() override;
    bool tcpIsOpen() override;
    int read03(uint32_t address, uint32_t first, uint32_t count, uint8_t* buffer, uint32_t size) override;
    int write06(uint32_t address, uint32_t reg, int32_t value) override;
};

} // namespace relvo7::panel
