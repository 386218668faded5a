#include "ClosingSequence.h"

#include "PanelUiTexts.h"
#include "SharedState.h"

namespace relvo7::panel::ui {

ClosingOutcome RunClosingSequence(Prompt& prompt, const ClosingActions& actions) {
    if (actions.stopRecording) actions.stopRecording();

    if (PanelConnected.load() == 1) {
        const PromptButton answer =
            prompt.ask({QString::fromUtf8(kCaptionCloseConnected), QString::fromUtf8(kMsgCloseConnected),
                        PromptIcon::Warning, PromptYes | PromptNo, PromptYes});
        if (answer != PromptYes) return ClosingOutcome::Refused;
        if (actions.disconnect) actions.disconnect();
    }

    // The workers leave at their next check; nothing here waits for them.
    JournalRunning.store(0);
    PollingThreadRunning.store(0);
    RecordingThreadRunning.store(0);
    ParametersThreadRunning.store(0);

    if (actions.release) actions.release();
    if (actions.savePowerChoices) actions.savePowerChoices();
    return ClosingOutcome::Closed;
}

} // namespace relvo7::panel::ui
