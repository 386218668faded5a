#include "PanelEngine.h"

#include <system_error>

#include "Connection.h"
#include "Decoding.h"
#include "PanelIds.h"
#include "PanelReset.h"
#include "PanelTexts.h"
#include "SharedState.h"
#include "relvo7link.h"

namespace relvo7::panel {

namespace {
constexpr int kWatchdogGrace = 5;
constexpr int kLinkLostAlarm = 16; // "Zdalne sterowanie" row of the alarm table
constexpr uint32_t kLinkLostMask = 1u << kLinkLostAlarm;

QString q(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
} // namespace

PanelEngine::PanelEngine(DeviceLink& link, PanelModel& model, Prompt& prompt, SettingsSource settings,
                         EngineTimings timings)
    : link_(link), model_(model), prompt_(prompt), settingsSource_(std::move(settings)), timings_(timings) {
    for (auto& c : shared_.powerChoice) c.store(0);
}

PanelEngine::~PanelEngine() { stopPollingThread(); }

bool PanelEngine::connected() const { return PanelConnected.load() == 1; }

void PanelEngine::showError(const std::string& text) { prompt_.error(q(text)); }

void PanelEngine::ToggleConnection() {
    // Every press starts from a zero block, even one whose password is cancelled.
    for (auto& v : MeasurementBlock) v.store(0, std::memory_order_relaxed);
    if (connected()) disconnectSequence();
    else connectSequence();
}

void PanelEngine::connectSequence() {
    settings_ = settingsSource_ ? settingsSource_() : ConnectionSettings{};
    if (settings_.bPassword && (settings_.nPasswordScope & kPasswordScopeConnect)) {
        const std::optional<std::u16string> entered = askPassword_ ? askPassword_() : std::nullopt;
        if (!entered || *entered != settings_.szPassword) return; // silently, nothing changes
    }
    connectionClock_ = 0;
    shared_.deviceAddress.store(settings_.nDeviceAddress);

    const OpenResult opened = openTransport(link_, settings_);
    if (!opened.ok) {
        showError(opened.message);
        disconnectSequence();
        return;
    }
    if (!IdentifyDevice(link_, static_cast<uint32_t>(settings_.nDeviceAddress), settings_.nRetries)) {
        showError(text::kMsgIdentify);
        disconnectSequence();
        return;
    }

    linkWatchdog_ = kWatchdogGrace;
    PanelConnected.store(1);
    model_.setText(id::Connect, text::kCaptionDisconnect);
    model_.setText(id::StatusLabel, text::kStatusConnected);

    // The displays go idle before the new thread starts, so its first reads
    // (block 150's ranges, cycle 1's alarms) are not wiped again.
    model_.resetGraphLevel(id::HeatingGraph);
    if (DeviceVersion.load() >= kResetMinVersion) model_.setVisible(id::Reset, true);
    model_.setEnabled(id::Settings, false);
    model_.setEnabled(id::Journal, true);
    model_.setGraphRunning(id::HeatingGraph, true);
    ResetPanel(model_);

    if (!startPollingThread()) {
        prompt_.ask({q(text::kCaptionError), q(text::kMsgFatal), PromptIcon::Warning, PromptOk, PromptOk});
        PanelConnected.store(0);
        if (fatal_) fatal_();
        return;
    }
    commonEnd();
}

void PanelEngine::disconnectSequence() {
    PanelConnected.store(0);
    model_.setText(id::Connect, text::kCaptionConnect);
    model_.setText(id::StatusLabel, text::kStatusDisconnected);
    PollingThreadRunning.store(0);
    closeTransport(link_, settings_);
    // The thread leaves at its next check; with the transport closed that
    // comes at once. Joined here so no read lands after the reset below.
    stopPollingThread();

    model_.setVisible(id::Start, false);
    model_.setVisible(id::Stop, false);
    model_.setVisible(id::MotorPicture, true);
    model_.setVisible(id::Reset, false);
    model_.setEnabled(id::Settings, true);
    model_.setEnabled(id::Journal, false);
    model_.setGraphRunning(id::HeatingGraph, false);
    ResetPanel(model_);
    UpdateTitle(model_, false);
    if (timings_.disconnectWait.count() > 0) std::this_thread::sleep_for(timings_.disconnectWait);
    commonEnd();
}

void PanelEngine::commonEnd() {
    activityState_ = 0;
    model_.setState(id::Activity, picture::ActivityIdle);
    model_.setFocus(id::AlarmList);
}

bool PanelEngine::startPollingThread() {
    // A thread of an earlier connection that has not finished yet is stopped
    // and waited for: never two polling threads at once.
    if (PollingThreadRunning.load() == 1) PollingThreadRunning.store(0);
    stopPollingThread();

    ++generation_;
    PollingConfig config;
    config.analogTemp1 = settings_.bAnalogTemp1;
    config.analogTemp2 = settings_.bAnalogTemp2;
    config.analogCurrent = settings_.bAnalogCurrent;
    config.analogVoltage = settings_.bAnalogVoltage;
    config.onLostTransport = [this, g = generation_] { lostGeneration_.store(g); };
    config.cyclePause = timings_.cyclePause;

    for (int attempt = 0; attempt < 2; ++attempt) {
        shared_.started.store(false);
        try {
            thread_ = std::thread([this, config] { PollingCycle(link_, model_, shared_, config).run(); });
        } catch (const std::system_error&) {
            continue; // no thread could be created: try once more
        }
        const auto deadline = std::chrono::steady_clock::now() + timings_.threadStartWait;
        while (!shared_.started.load() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (shared_.started.load()) return true;
        // Created but never began: stop it before anything else is tried.
        PollingThreadRunning.store(0);
        thread_.join();
        return false;
    }
    return false;
}

void PanelEngine::stopPollingThread() {
    if (!thread_.joinable()) return;
    PollingThreadRunning.store(0);
    thread_.join();
}

void PanelEngine::processRequests() {
    const uint64_t lost = lostGeneration_.exchange(0);
    if (lost == 0 || lost != generation_ || !connected()) return; // a stale report of an earlier link
    ToggleConnection();
    prompt_.ask({q(text::kCaptionWarningUpper), q(text::kMsgLinkLost), PromptIcon::Error, PromptOk, PromptOk});
}

void PanelEngine::pump(PanelView& view) {
    processRequests();
    model_.applyTo(view);
}

void PanelEngine::timerTick(std::time_t now) {
    model_.setText(id::DateTimeLabel, timeText(text::kFmtDateTime, now));
    if (connected()) superviseLink();
}

void PanelEngine::superviseLink() {
    if (!connected()) return;
    connectionClock_ = (connectionClock_ + 1) % 86400;
    model_.setText(id::ConnectionClock, format("%02d : %02d : %02d", connectionClock_ / 3600,
                                               connectionClock_ / 60 % 60, connectionClock_ % 60));

    const bool readOk = LastReadOk.load() == 1;
    if (readOk) {
        linkWatchdog_ = kWatchdogGrace;
    } else if (linkWatchdog_ > 0) {
        --linkWatchdog_;
    } else if ((AlarmMask.load() & kLinkLostMask) == 0) {
        ResetPanel(model_);
        model_.setState(id::LedFault, 1);
        const _tagSTRUCT_ERR_INFO& info = dll_nErrInfo[kLinkLostAlarm];
        AlarmRow row;
        row.itemData = kLinkLostAlarm;
        row.name = toUtf8(info.pszText);
        row.code = toUtf8(info.pszCode);
        row.time = timeText(text::kFmtAlarmTime, std::time(nullptr));
        model_.insertAlarmRow(std::move(row));
        AlarmMask.store(kLinkLostMask);
    }

    if (readOk && activityState_ != 2) {
        model_.setState(id::Activity, picture::ActivityGood);
        activityState_ = 2;
    } else if (!readOk && activityState_ != 1) {
        model_.setState(id::Activity, picture::ActivityFailing);
        activityState_ = 1;
    }
    UpdateTitle(model_, connected());
}

void PanelEngine::setDeviceAddress(int32_t address) { shared_.deviceAddress.store(address); }

void PanelEngine::setPowerChoice(int box, int index) {
    if (box >= 0 && box < 3) shared_.powerChoice[box].store(index);
}

CommandResult PanelEngine::startMotor() { return motorCommand(kCommandStart, text::kMsgConfirmStart); }
CommandResult PanelEngine::stopMotor() { return motorCommand(kCommandStop, text::kMsgConfirmStop); }

CommandResult PanelEngine::motorCommand(int32_t code, const char* confirmation) {
    if (!connected() || PollingThreadRunning.load() == 0) {
        model_.setVisible(id::Start, false);
        model_.setVisible(id::Stop, false);
        model_.setVisible(id::MotorPicture, true);
        return {CommandOutcome::Unavailable, 0};
    }
    const PromptButton answer = prompt_.ask(
        {q(text::kCaptionConfirm), q(confirmation), PromptIcon::None, PromptYes | PromptNo, PromptNo});
    if (answer != PromptYes) return {CommandOutcome::Declined, 0};
    return writeCommand(code);
}

CommandResult PanelEngine::resetFault() {
    if (!connected() || PollingThreadRunning.load() == 0 || DeviceVersion.load() < kResetMinVersion) {
        model_.setVisible(id::Reset, false);
        return {CommandOutcome::Unavailable, 0};
    }
    return writeCommand(kCommandReset);
}

CommandResult PanelEngine::writeCommand(int32_t code) {
    const int result = writeMotorCommand(link_, static_cast<uint32_t>(shared_.deviceAddress.load()), code);
    if (result == 1) return {CommandOutcome::Written, result};
    prompt_.ask({q(text::kCaptionError), q(text::kMsgWriteError), PromptIcon::Warning, PromptOk, PromptOk});
    return {CommandOutcome::WriteFailed, result};
}

} // namespace relvo7::panel
