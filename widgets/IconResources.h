#pragma once
// The program's pictures, addressed by their resource numbers. The functions
// below register the compiled-in pictures on first use, so call one of them
// before opening ":/icons/..." directly.
#include <QString>

namespace relvo7::icons {

// Resource numbers the windows refer to.
enum Id : int {
    Program = 128,
    LedOff = 133,
    LedOn = 134,
    FaultOff = 135,
    FaultOn = 136,
    LinkActive = 137,
    LinkIdle = 138,
    LinkError = 139,
    Clock = 142,
    SpzOn = 171,
    SpzOff = 172,
    Motor = 175,
    RemoteOn = 176,
    RemoteOff = 177,
    Start = 178,
    Stop = 179,
    TrayRecording = 188,
    TrayIdle = 189,
    TrayPaused = 190,
    InputsOff = 194,
    InputsOn = 195,
    ResetFault = 196,
};

// Resource path (":/icons/...svg") of a numbered picture; empty for an unknown number.
QString path(int id);
// Resource path of a picture by file stem ("led_red", "tray_error", ...).
QString named(const char* stem);
// Every numbered picture, for the icon sheet and the checks.
const int* allIds(int* count);

} // namespace relvo7::icons
