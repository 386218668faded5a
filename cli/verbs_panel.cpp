// monitor, start, stop, reset: the monitoring panel's engine from the command line.
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <sstream>
#include <thread>

#include "Connection.h"
#include "Decoding.h"
#include "Json.h"
#include "LinkOptions.h"
#include "MotorCommands.h"
#include "PanelEngine.h"
#include "PanelIds.h"
#include "PollingCycle.h"
#include "SharedState.h"
#include "PanelSettings.h"
#include "TextCodec.h"
#include "Verb.h"
#include "relvo7link.h"
#ifdef RELVO7_PANEL_WITH_SETTINGS
#include "ConnectionSettingsFromRecord.h"
#include "SettingsStore.h"
#endif

namespace relvo7::cli {
namespace {

using namespace relvo7::panel;

int fail(const std::string& verb, const std::string& reason) {
    std::cerr << "relvo7ctl " << verb << ": " << reason << "\n";
    return ExitFailure;
}

std::string plainText(const QString& text) {
    std::string s = text.toStdString();
    std::string out;
    for (char c : s)
        if (c != '\r') out += c;
    return out;
}

// Messages of the engine go to standard error; questions take their default.
class TerminalPrompt : public Prompt {
public:
    explicit TerminalPrompt(std::string verb) : verb_(std::move(verb)) {}
    PromptButton ask(const PromptRequest& r) override {
        std::cerr << "relvo7ctl " << verb_ << ": " << plainText(r.text) << "\n";
        return r.defaultButton;
    }

private:
    std::string verb_;
};

// relvo7ctl has no window: the display changes are taken and dropped, so the
// model's queue of alarm-row operations does not grow while monitoring.
class DiscardView : public PanelView {
public:
    void setText(int, const std::string&) override {}
    void setPos(int, int) override {}
    void setRange(int, int, int) override {}
    void setMarkers(int, int, int) override {}
    void setState(int, int) override {}
    void setVisible(int, bool) override {}
    void setEnabled(int, bool) override {}
    void setGraphLevel(int, uint32_t) override {}
    void setGraphRunning(int, bool) override {}
    void resetGraphLevel(int) override {}
    void insertAlarmRow(int, const AlarmRow&) override {}
    void deleteAlarmRows(int, int) override {}
    void deleteAllAlarmRows(int) override {}
    void setFocus(int) override {}
};

// The connection flags when given, else the saved settings, as the panel reads them.
ConnectionSettings settingsFor(const Args& args) {
    if (args.value("--tcp") || args.value("--serial")) {
        return connectionSettingsFromTarget(linkTargetFromArgs(args));
    }
#ifdef RELVO7_PANEL_WITH_SETTINGS
    SettingsRecord record = DefaultSettingsRecord();
    LoadSettings(record); // a missing or damaged profile leaves the defaults
    ConnectionSettings s = connectionSettingsFrom(record);
    s.bPassword = false; // the terminal user owns the profile; no dialog to ask in
    if (s.szPortName.empty())
        throw UsageError("no port is saved in the settings: give --tcp HOST[:PORT] or --serial DEVICE");
    return s;
#else
    throw UsageError("say how to reach the relay: --tcp HOST[:PORT] or --serial DEVICE");
#endif
}

std::string measuredText(int row) {
    const _tagSTRUCT_MEASURE_INFO& info = dll_nMeasureInfo[row];
    const double value = MeasurementBlock[row].load() / static_cast<double>(info.nDivider);
    const int decimals = info.nDivider >= 100 ? 2 : info.nDivider >= 10 ? 1 : 0;
    return format("%.*f", decimals, value);
}

int ledState(const PanelModel& model, int id) { return model.control(id).state.value_or(0); }

std::string relayMode(const PanelModel& model) {
    if (ledState(model, id::ModeSignalling)) return "przekaźnik sygnalizacji";
    if (ledState(model, id::ModeTimer)) return "przekaźnik czasowy";
    if (ledState(model, id::ModeStarDelta)) return "gwiazda/trójkąt";
    return "-";
}

struct RelayState {
    const char* name;
    int id;
};
const RelayState kRelayStates[] = {
    {"motor relay", id::LedMotorRelay}, {"function relay", id::LedFunctionRelay}, {"TMLPP", id::LedTmlpp},
    {"SPZ", id::LedRestart},            {"remote control", id::LedRemote},        {"button inputs", id::LedButtonInputs},
    {"fault", id::LedFault},
};

// Pads to `width` characters, counting characters rather than UTF-8 bytes (MΩ, *C).
std::string padRight(const std::string& utf8, size_t width) {
    size_t characters = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++characters;
    return utf8 + std::string(characters < width ? width - characters : 0, ' ');
}

void printText(const PanelModel& model) {
    std::cout << "RELVO-7 version " << DeviceVersion.load() << ", " << format("%.2f", PollingSpeed.load())
              << " registers/s\n";
    for (int r = 0; r < RELVO7_MEASURE_INFO_COUNT; ++r) {
        const auto& info = dll_nMeasureInfo[r];
        const std::string code = toUtf8(info.pszCode);
        std::cout << "  " << padRight(code.empty() ? "-" : code, 4) << " " << format("%12s", measuredText(r).c_str())
                  << " " << padRight(panel::toUtf8(info.pszUnit), 5) << " " << panel::toUtf8(info.pszText) << "\n";
    }
    std::cout << "relays:";
    for (const auto& s : kRelayStates) std::cout << " " << s.name << "=" << (ledState(model, s.id) ? "on" : "off");
    std::cout << "\nrelay mode: " << relayMode(model) << "\n";
    const auto rows = model.alarmRows();
    std::cout << "alarms (" << rows.size() << "):\n";
    for (const auto& row : rows)
        std::cout << "  " << row.code << "  " << row.name << "  " << (row.value.empty() ? "-" : row.value) << "  "
                  << row.time << "\n";
    std::cout.flush();
}

void printJson(const PanelModel& model) {
    std::ostringstream o;
    o << "{\"version\":" << DeviceVersion.load() << ",\"speed\":" << format("%.2f", PollingSpeed.load())
      << ",\"values\":[";
    for (int r = 0; r < RELVO7_MEASURE_INFO_COUNT; ++r) {
        const auto& info = dll_nMeasureInfo[r];
        o << (r ? "," : "") << "{\"index\":" << r << ",\"code\":" << jsonString(panel::toUtf8(info.pszCode))
          << ",\"unit\":" << jsonString(panel::toUtf8(info.pszUnit)) << ",\"value\":" << measuredText(r) << "}";
    }
    o << "],\"relays\":{";
    bool first = true;
    for (const auto& s : kRelayStates) {
        o << (first ? "" : ",") << jsonString(s.name) << ":" << (ledState(model, s.id) ? "true" : "false");
        first = false;
    }
    o << "},\"relayMode\":" << jsonString(relayMode(model)) << ",\"alarmMask\":" << AlarmMask.load()
      << ",\"alarms\":[";
    first = true;
    for (const auto& row : model.alarmRows()) {
        o << (first ? "" : ",") << "{\"bit\":" << row.itemData << ",\"code\":" << jsonString(row.code)
          << ",\"text\":" << jsonString(row.name) << ",\"value\":" << jsonString(row.value)
          << ",\"time\":" << jsonString(row.time) << "}";
        first = false;
    }
    o << "]}\n";
    std::cout << o.str() << std::flush;
}

int runMonitor(const Args& args) {
    if (!args.positional().empty()) throw UsageError("monitor takes no arguments");
    const ConnectionSettings settings = settingsFor(args);
    const bool once = args.flag("--once");
    const bool json = args.flag("--json");

    RealLink link;
    PanelModel model;
    TerminalPrompt prompt("monitor");
    EngineTimings timings;
    timings.disconnectWait = std::chrono::milliseconds(0);
    PanelEngine engine(link, model, prompt, [&] { return settings; }, timings);
    DiscardView view;
    engine.ToggleConnection();
    if (!engine.connected()) return ExitFailure; // the reason was printed

    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    auto nextRound = start + std::chrono::seconds(1);
    // A full round needs every block once; at 9600 bit/s that is well under a
    // second, so 12 reply time-outs of slack is generous and still bounded.
    const auto onceDeadline = start + std::chrono::milliseconds(10000 + 12 * settings.nTimeout);
    const uint32_t allBlocks = allPollBlocks(static_cast<uint32_t>(DeviceVersion.load()));
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        engine.pump(view);
        if (!engine.connected()) return ExitFailure; // link lost; the message was printed
        const auto now = Clock::now();
        if (now >= nextRound) {
            engine.timerTick(std::time(nullptr));
            nextRound += std::chrono::seconds(1);
            if (!once) json ? printJson(model) : printText(model);
        }
        if (once) {
            if ((engine.polling().blocksRead.load() & allBlocks) == allBlocks) {
                json ? printJson(model) : printText(model);
                engine.ToggleConnection();
                return ExitOk;
            }
            if (now >= onceDeadline) {
                engine.ToggleConnection();
                return fail("monitor", "not every register block could be read from the relay");
            }
        }
    }
}

// Opens the link from the flags or the saved settings and identifies the
// relay, as the panel's connect does; closes it on every path.
class CommandSession {
public:
    explicit CommandSession(const ConnectionSettings& s) : settings_(s) {
        const OpenResult opened = openTransport(link_, s);
        if (!opened.ok) {
            error_ = opened.message + " (" + describeLinkResult(opened.linkResult) + ")";
            return;
        }
        open_ = true;
        id_ = identifyRelay(link_, static_cast<uint32_t>(s.nDeviceAddress), s.nRetries);
        if (!id_.accepted)
            error_ = id_.answered ? "the relay reports software version " + std::to_string(id_.version) +
                                        ", outside the accepted " + std::to_string(dll_nVerMinor) + " to " +
                                        std::to_string(dll_nVerMajor)
                                  : "no answer from the relay (" + describeLinkResult(id_.lastResult) + ")";
    }
    ~CommandSession() { closeTransport(link_, settings_); }
    bool ready() const { return open_ && id_.accepted; }
    const std::string& error() const { return error_; }
    uint32_t version() const { return id_.version; }
    DeviceLink& link() { return link_; }

private:
    ConnectionSettings settings_;
    RealLink link_;
    bool open_ = false;
    IdentifyResult id_;
    std::string error_;
};

bool confirmOnTerminal(const std::string& question) {
    if (!isatty(STDIN_FILENO)) return false;
    std::cerr << question << " [t/N] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) return false;
    return answer == "t" || answer == "T" || answer == "tak" || answer == "y" || answer == "yes";
}

int runCommand(const Args& args, const std::string& verb, int32_t code) {
    if (!args.positional().empty()) throw UsageError(verb + " takes no arguments");
    const ConnectionSettings settings = settingsFor(args);
    CommandSession session(settings);
    if (!session.ready()) return fail(verb, session.error());
    const uint32_t address = static_cast<uint32_t>(settings.nDeviceAddress);

    if (code == kCommandReset) {
        if (session.version() < static_cast<uint32_t>(kResetMinVersion))
            return fail(verb, "the relay (software version " + std::to_string(session.version()) +
                                  ") has no remote fault reset; it needs version " +
                                  std::to_string(kResetMinVersion) + " or later");
    } else {
        // The panel offers START and STOP only while the relay allows remote control.
        uint8_t buffer[10] = {};
        const int rc = session.link().read03(address, 221, 1, buffer, sizeof buffer);
        if (rc < 2) return fail(verb, "cannot read register 221 (" + describeLinkResult(rc) + ")");
        if (registerAt(buffer, 0) == 0)
            return fail(verb, "remote start and stop are switched off on the relay (register 221 is 0)");
        if (!args.flag("--yes")) {
            const std::string question =
                code == kCommandStart ? "Czy chcesz uruchomić silnik?" : "Czy chcesz zatrzymać silnik?";
            if (!confirmOnTerminal(question)) return fail(verb, "not confirmed (give --yes to skip the question)");
        }
    }
    const int rc = writeMotorCommand(session.link(), address, code);
    if (rc != 1)
        return fail(verb, "the relay did not accept code " + std::to_string(code) + " in register " +
                              std::to_string(kCommandRegister) + " (" + describeLinkResult(rc) + ")");
    if (args.flag("--json"))
        std::cout << "{\"command\":" << jsonString(verb) << ",\"code\":" << code << ",\"written\":true}\n";
    else
        std::cout << verb << ": code " << code << " written to register " << kCommandRegister << "\n";
    return ExitOk;
}

int runStart(const Args& args) { return runCommand(args, "start", kCommandStart); }
int runStop(const Args& args) { return runCommand(args, "stop", kCommandStop); }
int runReset(const Args& args) { return runCommand(args, "reset", kCommandReset); }

const VerbRegistrar monitorVerb({"monitor", "monitor [--once] [--json]",
                                 "poll the relay like the panel and print its values, relays and alarms every second",
                                 {}, {"--once"}, true, runMonitor});
const VerbRegistrar startVerb({"start", "start [--yes]", "start the motor (code 2 in register 237)", {}, {"--yes"},
                               true, runStart});
const VerbRegistrar stopVerb({"stop", "stop [--yes]", "stop the motor (code 0 in register 237)", {}, {"--yes"}, true,
                              runStop});
const VerbRegistrar resetVerb({"reset", "reset", "reset the relay's fault state (code 55 in register 237)", {}, {},
                               true, runReset});

} // namespace
} // namespace relvo7::cli
