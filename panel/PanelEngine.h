#pragma once
// The monitoring panel without its window: the connect and disconnect
// sequences (ToggleConnection), identification, the once-a-second link
// supervision, the PollingThread and the motor commands. It shows everything
// through a PanelModel, which the window applies to its widgets (pump), and
// asks and informs through the Prompt.
//
// Threads: every public member runs on the window thread, except that the
// PollingThread it owns writes the model and the shared values. A transport
// lost under the polling thread is handed to the window thread, which runs
// the disconnect and then shows the message (in pump / processRequests).
#include <atomic>
#include <chrono>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "ConnectionSettings.h"
#include "DeviceLink.h"
#include "MotorCommands.h"
#include "PanelModel.h"
#include "PanelView.h"
#include "PollingCycle.h"
#include "Prompt.h"

namespace relvo7::panel {

struct EngineTimings {
    // Pause at the end of a disconnect, after the polling thread has ended.
    std::chrono::milliseconds disconnectWait{1000};
    // How long a started polling thread may take to report itself running.
    std::chrono::milliseconds threadStartWait{5000};
    // Pause at the start of every polling cycle.
    std::chrono::microseconds cyclePause{1000};
};

class PanelEngine {
public:
    using SettingsSource = std::function<ConnectionSettings()>;
    // Shows the password dialog: the text entered, or nothing when cancelled.
    using PasswordAsker = std::function<std::optional<std::u16string>()>;

    PanelEngine(DeviceLink& link, PanelModel& model, Prompt& prompt, SettingsSource settings,
                EngineTimings timings = {});
    ~PanelEngine(); // stops the polling thread and joins it
    PanelEngine(const PanelEngine&) = delete;
    PanelEngine& operator=(const PanelEngine&) = delete;

    void setPasswordAsker(PasswordAsker asker) { askPassword_ = std::move(asker); }
    // The program's close handling, run when the polling thread cannot start.
    void setFatalHandler(std::function<void()> handler) { fatal_ = std::move(handler); }

    // Button 1051: connect when disconnected, disconnect when connected.
    void ToggleConnection();
    bool connected() const;

    // PanelTimer tick: date label 1060, then (connected) the link supervision
    // and the title.
    void timerTick(std::time_t now);
    void superviseLink();

    // Window thread, from a timer of about 40 ms (at most 25 times a second,
    // however fast the link reads): handles a lost transport, then applies
    // what changed to the view; alarm-row changes arrive in order, none lost.
    void pump(PanelView& view);
    void processRequests();

    // Edit field 1048 (the window also stores it into the settings record's
    // nDeviceAddress) and the three power combo boxes (index -1 = none).
    void setDeviceAddress(int32_t address);
    void setPowerChoice(int box, int index);

    // Buttons 1104, 1163, 1105.
    CommandResult startMotor();
    CommandResult stopMotor();
    CommandResult resetFault();

    // State for the window and tests.
    int linkWatchdog() const { return linkWatchdog_; }
    int activityState() const { return activityState_; }
    const PollingShared& polling() const { return shared_; }
    const ConnectionSettings& settingsInUse() const { return settings_; }

private:
    void connectSequence();
    void disconnectSequence();
    void commonEnd();
    bool startPollingThread();
    void stopPollingThread();
    CommandResult motorCommand(int32_t code, const char* confirmation);
    CommandResult writeCommand(int32_t code);
    void showError(const std::string& text);

    DeviceLink& link_;
    PanelModel& model_;
    Prompt& prompt_;
    SettingsSource settingsSource_;
    EngineTimings timings_;
    PasswordAsker askPassword_;
    std::function<void()> fatal_;

    ConnectionSettings settings_; // as read at the last connect
    PollingShared shared_;
    std::thread thread_;
    uint64_t generation_ = 0;               // connections made, numbers the polling threads
    std::atomic<uint64_t> lostGeneration_{0}; // set by a thread that lost its transport

    // Window-thread state.
    int linkWatchdog_ = 0;
    int activityState_ = 0; // 0 not set, 1 failing, 2 good
    int connectionClock_ = 0; // seconds since connect, within one day
};

} // namespace relvo7::panel
