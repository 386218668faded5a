#pragma once
// The relay's command register and the codes the panel writes into it.
#include <cstdint>

#include "DeviceLink.h"

namespace relvo7::panel {

inline constexpr uint32_t kCommandRegister = 237;
inline constexpr int32_t kCommandStart = 2;
inline constexpr int32_t kCommandStop = 0;
inline constexpr int32_t kCommandReset = 55;
inline constexpr int32_t kCommandRestart = 88;
// RESET exists on relays of this version and later.
inline constexpr int kResetMinVersion = 21;

// One function 06 write of `code`; the link result (1 = the relay confirmed it).
inline int writeMotorCommand(DeviceLink& link, uint32_t deviceAddress, int32_t code) {
    return link.write06(deviceAddress & 0xFFu, kCommandRegister, code);
}

enum class CommandOutcome {
    Unavailable, // not connected / not polling / relay too old: the button hid itself
    Declined,    // the operator did not confirm: nothing sent
    Written,     // the relay confirmed the write
    WriteFailed, // the write did not return 1; the error message was shown
};
struct CommandResult {
    CommandOutcome outcome = CommandOutcome::Unavailable;
    int linkResult = 0;
};

} // namespace relvo7::panel
