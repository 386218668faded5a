#pragma once
// What the notification-area icon shows about the recorder, worked out once per
// panel timer tick. Headless: the panel turns the result into its tray icon.
#include <cstdint>

namespace relvo7 {

enum class TrayIcon { Idle, Recording, PausedOrUnavailable }; // resources 189, 188, 190

struct TrayStatus {
    TrayIcon icon = TrayIcon::Idle;
    const char* tooltip = nullptr; // UTF-8
};

// The icon shown before the first tick.
TrayStatus initialTrayStatus();

// One tick: the first matching row, then (while the thread runs) the blink
// phase is inverted. While records cannot be written the tooltip says so.
TrayStatus nextTrayStatus(int32_t threadRunning, int32_t recordingFlags, int32_t writeFailing, bool& blinkPhase);

} // namespace relvo7
