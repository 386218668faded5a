// record: the panel's polling cycle and the recorder together, without windows.
// Samples go into day files in --dir, as the program's own recorder writes them.
#include <signal.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <thread>

#include "LinkOptions.h"
#include "PanelEngine.h"
#include "Recorder.h"
#include "SharedState.h"
#include "PanelSettings.h"
#include "TextCodec.h"
#include "Verb.h"
#include "relvo7link.h"

namespace relvo7::cli {
namespace {

using namespace relvo7::panel;

std::atomic<int> interrupted{0};
extern "C" void onInterrupt(int) { interrupted.store(1); }

// Messages of the engine go to standard error; questions take their default.
class TerminalPrompt : public Prompt {
public:
    PromptButton ask(const PromptRequest& r) override {
        std::string text = r.text.toStdString();
        std::erase(text, '\r');
        std::cerr << "relvo7ctl record: " << text << "\n";
        return r.defaultButton;
    }
};

ConnectionSettings connectionFrom(const Args& args) {
    if (!args.value("--tcp") && !args.value("--serial"))
        throw UsageError("say how to reach the relay: --tcp HOST[:PORT] or --serial DEVICE");
    return connectionSettingsFromTarget(linkTargetFromArgs(args));
}

int runRecord(const Args& args) {
    if (!args.positional().empty()) throw UsageError("record takes no arguments");
    const long interval = args.integer("--interval", -1, 1, 86400);
    if (interval < 0) throw UsageError("record needs --interval S (1 to 86400 seconds)");
    const long duration = args.integer("--duration", 0, 1, 100L * 86400); // 0: until interrupted
    const std::string dir = args.value("--dir").value_or(".");
    struct stat st{};
    if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        std::cerr << "relvo7ctl record: " << dir << " is not a folder\n";
        return ExitFailure;
    }
    const ConnectionSettings settings = connectionFrom(args);

    RealLink link;
    PanelModel model;
    TerminalPrompt prompt;
    EngineTimings timings;
    timings.disconnectWait = std::chrono::milliseconds(0);
    PanelEngine engine(link, model, prompt, [&] { return settings; }, timings);
    engine.ToggleConnection();
    if (!engine.connected()) return ExitFailure; // the reason was printed

    RecorderSettings pdb;
    pdb.intervalSeconds = static_cast<uint32_t>(interval);
    const auto pdbBytes = encodeRecorderSettings(pdb);
    std::atomic<int> fatal{0};
    RecorderConfig config;
    config.folder = dir;
    config.dataVersion = dll_nVerDll;
    config.loadSettings = [&] { return std::vector<uint8_t>(pdbBytes.begin(), pdbBytes.end()); };
    config.onFatal = [&](RecorderFatal f) {
        std::cerr << "relvo7ctl record: " << fatalText(f) << "\n";
        fatal.store(1);
    };
    config.onFileFinished = [](const std::string& name) { std::cout << name << "\n" << std::flush; };
    Recorder recorder(config);
    recorder.launch();
    using Clock = std::chrono::steady_clock;
    const auto comeUp = Clock::now() + std::chrono::seconds(2);
    while (RecordingThreadRunning.load() != 1 && !recorder.threadEnded() && Clock::now() < comeUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    recorder.record();

    struct sigaction sa{};
    sa.sa_handler = onInterrupt;
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);

    const auto start = Clock::now();
    auto nextTick = start + std::chrono::seconds(1);
    bool lostReported = false;
    while (!interrupted.load() && !fatal.load()) {
        const auto now = Clock::now();
        if (duration > 0 && now - start >= std::chrono::seconds(duration)) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        engine.processRequests();
        if (now >= nextTick) {
            engine.timerTick(std::time(nullptr));
            nextTick += std::chrono::seconds(1);
        }
        if (!engine.connected() && !lostReported) {
            // The recorder goes on, as in the panel: samples carry link flag 0.
            std::cerr << "relvo7ctl record: the link to the relay is lost; recording goes on\n";
            lostReported = true;
        }
    }
    recorder.shutdown(); // the last file is finished (its name is printed)
    if (engine.connected()) engine.ToggleConnection();
    if (recorder.WriteFailing.load()) std::cerr << "relvo7ctl record: the last samples could not be written\n";
    return fatal.load() ? ExitFailure : ExitOk;
}

const VerbRegistrar recordVerb({"record", "record --interval S [--duration S] [--dir DIR]",
                                "poll the relay and record its values into day files (DDMMYYYY.db) every S seconds",
                                {"--interval", "--duration", "--dir"}, {}, true, runRecord});

} // namespace
} // namespace relvo7::cli
