// The Modbus TCP connection: a BSD socket, its ReceiverThread and its transport routines.
#pragma once
#include <cstdint>

#include "transport.h"

namespace relvo7link {

// Each takes the link mutex and returns the library's result code.
int tcpOpen(const char16_t* address, uint32_t port);
int tcpClose();
bool tcpIsOpen();

extern const Transport tcpTransport;

}  // namespace relvo7link
