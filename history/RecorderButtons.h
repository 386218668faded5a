#pragma once
// Which of the database dialog's recorder buttons (Record 1138, Pause 1001,
// Stop 1002) are enabled for a RecordingFlags word. Stop is refused while
// paused; Pause also resumes.
#include <cstdint>

#include "Recorder.h"

namespace relvo7 {

struct RecorderButtons {
    bool record = false, pause = false, stop = false;
    friend bool operator==(const RecorderButtons&, const RecorderButtons&) = default;
};

inline RecorderButtons recorderButtons(int32_t flags) {
    if ((flags & RecordBit) == 0) return {true, false, false}; // not recording
    if ((flags & PauseBit) == 0) return {false, true, true};   // recording
    return {false, true, false};                               // paused
}

} // namespace relvo7
