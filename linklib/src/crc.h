// CRC-16/MODBUS of RTU frames.
#pragma once
#include <cstddef>
#include <cstdint>

namespace relvo7link {

// Initial value 0xFFFF, reflected polynomial 0xA001, no final XOR. Sent low byte first.
uint16_t crc16Modbus(const uint8_t* bytes, size_t size);

}  // namespace relvo7link
