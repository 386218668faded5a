// The serial port: a POSIX terminal device in raw mode, and its transport routines.
#pragma once
#include <cstdint>

#include "transport.h"

namespace relvo7link {

// Each takes the link mutex and returns the library's result code.
int serialOpen(const char16_t* name);
int serialSetup(uint32_t baudIndex, uint32_t dataBitsIndex, uint32_t parityIndex, uint32_t stopBitsIndex);
int serialClose();
bool serialIsOpen();

extern const Transport serialTransport;

}  // namespace relvo7link
