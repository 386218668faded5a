#include "RecorderStart.h"

#include <chrono>
#include <thread>

#include "RecorderTexts.h"
#include "SharedState.h"

namespace relvo7 {

bool startRecorder(Recorder& recorder, Prompt& prompt, std::chrono::milliseconds comeUp) {
    using namespace std::chrono;
    for (;;) {
        recorder.launch();
        // The full time unless the thread ends at once.
        const auto deadline = steady_clock::now() + comeUp;
        while (!recorder.threadEnded() && steady_clock::now() < deadline)
            std::this_thread::sleep_for(milliseconds(1));
        if (RecordingThreadRunning.load() == 1) return true;
        const PromptButton answer =
            prompt.ask({QString::fromUtf8(kTextErrorCaption), QString::fromUtf8(kTextStartRetry), PromptIcon::Error,
                        PromptYes | PromptNo, PromptYes});
        if (answer != PromptYes) return false;
    }
}

std::function<void(RecorderFatal)> fatalMessages(Prompt& prompt, std::function<void()> disableDatabaseButton) {
    return [&prompt, disable = std::move(disableDatabaseButton)](RecorderFatal f) {
        prompt.ask({QString::fromUtf8(kTextErrorCaption), QString::fromUtf8(fatalText(f)), PromptIcon::Error,
                    PromptOk, PromptOk});
        if (disable) disable();
    };
}

} // namespace relvo7
