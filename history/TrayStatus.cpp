#include "TrayStatus.h"

#include "Recorder.h"
#include "RecorderTexts.h"

namespace relvo7 {

TrayStatus initialTrayStatus() { return {TrayIcon::Idle, kTextTrayInitial}; }

TrayStatus nextTrayStatus(int32_t threadRunning, int32_t flags, int32_t writeFailing, bool& blinkPhase) {
    if (threadRunning == 0) return {TrayIcon::PausedOrUnavailable, kTextTrayImpossible};
    TrayStatus s;
    const bool record = (flags & RecordBit) != 0, pause = (flags & PauseBit) != 0;
    if (pause && blinkPhase)
        s = {TrayIcon::PausedOrUnavailable, kTextTrayPaused};
    else if (record && !pause && writeFailing != 0)
        s = {TrayIcon::PausedOrUnavailable, kTextTrayWriteFailing};
    else if (record && blinkPhase)
        s = {TrayIcon::Recording, kTextTrayRecording};
    else
        s = {TrayIcon::Idle, kTextTrayOff};
    blinkPhase = !blinkPhase;
    return s;
}

} // namespace relvo7
