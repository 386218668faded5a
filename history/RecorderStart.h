#pragma once
// The recorder's dialogue with the operator: the start loop with its retry
// question and the fatal messages, through the prompt interface.
#include <chrono>
#include <functional>

#include "Prompt.h"
#include "Recorder.h"

namespace relvo7 {

// Starts the RecordingThread and waits up to 100 ms for it to come up; when it
// has not, asks whether to try again. True when the thread runs.
// `comeUp` is how long the thread may take to come up (100 ms in the program).
bool startRecorder(Recorder& recorder, Prompt& prompt,
                   std::chrono::milliseconds comeUp = std::chrono::milliseconds(100));

// A RecorderConfig::onFatal that shows the message ("Błąd", error icon) and
// then calls `disableDatabaseButton` (may be empty).
std::function<void(RecorderFatal)> fatalMessages(Prompt& prompt, std::function<void()> disableDatabaseButton);

} // namespace relvo7
