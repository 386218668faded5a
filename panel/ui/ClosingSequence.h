#pragma once
// The closing of the panel (button "Zakończ", the window's close command, or
// a polling thread that cannot start), without the window: recording stops
// first, a live connection is only dropped after the operator agrees, then
// every worker is asked to stop, the window's resources go and the power
// choices are kept. Headless: the window passes its actions in.
#include <functional>

#include "Prompt.h"

namespace relvo7::panel::ui {

struct ClosingActions {
    // Step 1: clear the record bit and wait until the day file is finished.
    std::function<void()> stopRecording;
    // Step 2 answered Yes: the disconnect sequence.
    std::function<void()> disconnect;
    // Step 4: timers, pictures, tray icon.
    std::function<void()> release;
    // Step 5: keep the three power choices (empty: nothing is saved).
    std::function<void()> savePowerChoices;
};

enum class ClosingOutcome {
    Closed,  // the window may end
    Refused, // connected and the operator answered No: the panel runs on, recording stopped
};

// Runs the sequence on the window thread. The question is asked only while
// PanelConnected is 1.
ClosingOutcome RunClosingSequence(Prompt& prompt, const ClosingActions& actions);

} // namespace relvo7::panel::ui
