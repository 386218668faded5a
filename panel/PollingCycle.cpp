#include "PollingCycle.h"

#include <ctime>
#include <thread>

#include "Decoding.h"
#include "PanelIds.h"
#include "PanelTexts.h"
#include "SharedState.h"
#include "relvo7link.h"

namespace relvo7::panel {

namespace {
constexpr uint32_t kBufferSize = 50;
constexpr uint32_t kRestartTimeLimit = 900; // tAP at or above: no restart pending
constexpr uint32_t kOverloadTripLimit = 600;
constexpr uint32_t kOverloadWaitLimit = 900;
} // namespace

uint32_t allPollBlocks(uint32_t deviceVersion) {
    uint32_t all = Block100 | Block110 | Block120 | Block130 | Block240 | Block150 | Block177 | Block187 | Block221;
    if (deviceVersion >= 13) all |= Block141;
    return all;
}

PollingCycle::PollingCycle(DeviceLink& link, PanelModel& model, PollingShared& shared, PollingConfig config)
    : link_(link), model_(model), shared_(shared), config_(std::move(config)) {}

bool PollingCycle::running() const { return PollingThreadRunning.load() == 1; }

void PollingCycle::store(int index, int32_t value) { MeasurementBlock[index].store(value, std::memory_order_relaxed); }

int32_t PollingCycle::measured(int index) const { return MeasurementBlock[index].load(std::memory_order_relaxed); }

uint32_t PollingCycle::analogButtonBits() const {
    uint32_t bits = 0;
    if (config_.analogTemp1) bits |= (1u << 8) | (1u << 19) | (1u << 20);
    if (config_.analogTemp2) bits |= (1u << 9) | (1u << 21) | (1u << 22);
    if (config_.analogCurrent) bits |= 1u << 25;
    if (config_.analogVoltage) bits |= 1u << 26;
    return bits;
}

void PollingCycle::run() {
    PollingThreadRunning.store(1);
    shared_.cycles.store(0);
    shared_.blocksRead.store(0);
    shared_.started.store(true);
    lastSpeedTick_ = Clock::now();

    while (running()) {
        if (!link_.comIsOpen() && !link_.tcpIsOpen()) {
            if (config_.onLostTransport) config_.onLostTransport();
            break;
        }
        if (config_.cyclePause.count() > 0) std::this_thread::sleep_for(config_.cyclePause);
        updateSpeed();
        address_ = static_cast<uint32_t>(shared_.deviceAddress.load()) & 0xFFu;

        if (!readBlock(100, 10, Block100, &PollingCycle::decode100)) break;
        if (!readBlock(110, 10, Block110, &PollingCycle::decode110)) break;
        if (!readBlock(120, 10, Block120, &PollingCycle::decode120)) break;
        if (DeviceVersion.load() >= 13 && !readBlock(141, 6, Block141, &PollingCycle::decode141)) break;

        bool slowestDue = false;
        if (slowCounter_ > 0) {
            --slowCounter_;
        } else {
            slowCounter_ = 2;
            if (!readBlock(130, 5, Block130, &PollingCycle::decode130)) break;
            if (!readBlock(240, 3, Block240, &PollingCycle::decode240)) break;
            if (!running()) break; // an alarm-value read may have seen the stop
            if (slowestCounter_ > 0) {
                --slowestCounter_;
            } else {
                slowestCounter_ = 3;
                slowestDue = true;
            }
        }
        if (slowestDue) {
            if (!readBlock(150, 4, Block150, &PollingCycle::decode150)) break;
            if (!readBlock(177, 4, Block177, &PollingCycle::decode177)) break;
            if (!readBlock(187, 2, Block187, &PollingCycle::decode187)) break;
            if (!readBlock(221, 1, Block221, &PollingCycle::decode221, false)) break;
        }
        shared_.cycles.fetch_add(1);
    }
    PollingThreadRunning.store(0);
}

void PollingCycle::updateSpeed() {
    const auto now = Clock::now();
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - lastSpeedTick_).count();
    if (elapsed <= 1000) return;
    float speed = 0.0f;
    if (registerCount_ != 0) speed = 1000.0f / (static_cast<float>(elapsed) / static_cast<float>(registerCount_));
    PollingSpeed.store(speed);
    lastSpeedTick_ = now;
    registerCount_ = 0;
}

bool PollingCycle::readBlock(uint32_t first, uint32_t count, PollBlock bit, void (PollingCycle::*decode)(),
                             bool setsLastReadOk) {
    const int result = link_.read03(address_, first, count, buffer_, kBufferSize);
    // A reply shorter than the block asked for would leave registers undecoded:
    // it counts as a failed read.
    const bool ok = result > 0 && static_cast<uint32_t>(result) >= 2 * count;
    if (ok) {
        registerCount_ += count;
        if (setsLastReadOk) LastReadOk.store(1);
        shared_.blocksRead.fetch_or(bit);
        (this->*decode)();
    } else if (setsLastReadOk) {
        LastReadOk.store(0);
    }
    return running();
}

// Registers 100..109: phase, zero-sequence, average and highest average currents.
void PollingCycle::decode100() {
    const int labels[10] = {id::PhaseCurrent1, id::PhaseCurrent2, id::PhaseCurrent3, id::ZeroCurrent,
                            id::AvgCurrent1,   id::AvgCurrent2,   id::AvgCurrent3,   id::MaxAvgCurrent1,
                            id::MaxAvgCurrent2, id::MaxAvgCurrent3};
    const int bars[4] = {id::BarPhaseCurrent1, id::BarPhaseCurrent2, id::BarPhaseCurrent3, id::BarZeroCurrent};
    for (int k = 0; k < 10; ++k) {
        const int32_t ct = k == 3 ? 1 : ctFactor_; // the zero-sequence current has no transformer
        const int32_t value = reg(k) * ct;
        store(k, value);
        model_.setText(labels[k], format(text::kFmtCurrent, value / 10.0));
        if (k < 4) model_.setPos(bars[k], value);
    }
}

// Registers 110..119: starting and overload current, starting time,
// negative-sequence current, phase and line voltages.
void PollingCycle::decode110() {
    int32_t v = reg(0) * ctFactor_;
    store(10, v);
    model_.setText(id::StartingCurrent, format(text::kFmtCurrent, v / 10.0));
    v = reg(1) * ctFactor_;
    store(11, v);
    model_.setText(id::OverloadCurrent, format(text::kFmtCurrent, v / 10.0));
    v = reg(2);
    store(12, v);
    model_.setText(id::StartingTime, format(text::kFmtSeconds, v));
    v = reg(3) * ctFactor_;
    store(13, v);
    model_.setText(id::NegativeCurrent, format(text::kFmtCurrent, v / 10.0));
    model_.setPos(id::BarNegativeCurrent, v);

    const int voltLabels[6] = {id::PhaseVoltage1, id::PhaseVoltage2, id::PhaseVoltage3,
                               id::LineVoltage1,  id::LineVoltage2,  id::LineVoltage3};
    const int voltBars[6] = {id::BarPhaseVoltage1, id::BarPhaseVoltage2, id::BarPhaseVoltage3,
                             id::BarLineVoltage1,  id::BarLineVoltage2,  id::BarLineVoltage3};
    for (int k = 0; k < 6; ++k) {
        v = reg(4 + k);
        store(14 + k, v);
        model_.setText(voltLabels[k], format(text::kFmtVolts, v));
        model_.setPos(voltBars[k], v);
    }
}

// Registers 120..129: sequence voltages, temperatures, analogue inputs,
// operating hours, frequency, time until overload trip.
void PollingCycle::decode120() {
    int32_t v = reg(0);
    store(20, v);
    model_.setText(id::PositiveVoltage, format(text::kFmtVolts, v));
    v = reg(1);
    store(21, v);
    model_.setText(id::NegativeVoltage, format(text::kFmtVolts, v));
    model_.setPos(id::BarNegativeVoltage, v);
    v = reg(2);
    store(22, v);
    model_.setText(id::ZeroVoltage, format(text::kFmtVolts, v));

    Temperature t = decodeTemperature(reg(3), 1, config_.analogTemp1);
    store(23, t.stored);
    model_.setText(id::Temperature1, std::move(t.text));
    t = decodeTemperature(reg(4), 2, config_.analogTemp2);
    store(24, t.stored);
    model_.setText(id::Temperature2, std::move(t.text));

    if (config_.analogCurrent) {
        store(25, 0);
        model_.setText(id::AnalogCurrent, text::kTextNoDot);
    } else {
        store(25, reg(5));
        model_.setText(id::AnalogCurrent, format(text::kFmtMilliamps, reg(5) / 10.0));
    }
    if (config_.analogVoltage) {
        store(26, 0);
        model_.setText(id::AnalogVoltage, text::kTextNoDot);
    } else {
        store(26, reg(6));
        model_.setText(id::AnalogVoltage, format(text::kFmtAnalogVolts, reg(6) / 10.0));
    }
    store(27, reg(7));
    store(28, reg(8));
    model_.setText(id::Frequency, format(text::kFmtHertz, reg(8) / 10.0));
    const uint16_t trip = reg(9);
    store(29, trip);
    model_.setText(id::OverloadTripTime, trip <= kOverloadTripLimit ? format(text::kFmtSeconds, int(trip))
                                                                    : std::string(text::kTextNo));
}

// Registers 141..146: power factors of the three phases (low word first).
void PollingCycle::decode141() {
    std::array<int32_t, 3> cosines{}, volts{}, amps{};
    for (int k = 0; k < 3; ++k) {
        const uint32_t raw = static_cast<uint32_t>(reg(2 * k)) + 65536u * reg(2 * k + 1);
        cosines[k] = static_cast<int32_t>(raw);
        volts[k] = measured(14 + k);
        amps[k] = measured(k);
    }
    const Powers p = computePowers(volts, amps, cosines);
    const auto block = powerBlock(p);
    for (int k = 0; k < 15; ++k) store(34 + k, block[k]);
    const int labels[3] = {id::PowerValue1, id::PowerValue2, id::PowerValue3};
    for (int k = 0; k < 3; ++k) model_.setText(labels[k], powerChoiceText(p, shared_.powerChoice[k].load()));
}

// Registers 130..134: restart delay, waiting time, insulation, thermal state.
void PollingCycle::decode130() {
    const uint16_t restart = reg(0);
    store(30, restart);
    if (restart < kRestartTimeLimit) {
        model_.setText(id::RestartTime, format(text::kFmtSeconds, int(restart)));
        model_.setPos(id::BarRestart, restart);
    } else {
        model_.setText(id::RestartTime, text::kTextNo);
        model_.setPos(id::BarRestart, 0);
    }
    const uint16_t wait = reg(1);
    store(31, wait);
    model_.setText(id::OverloadWaitTime, wait <= kOverloadWaitLimit ? format(text::kFmtSeconds, int(wait))
                                                                     : std::string(text::kTextNo));
    store(32, reg(2));
    model_.setText(id::Insulation, format(text::kFmtMegaohms, reg(2) / 10.0));

    const uint32_t thermal = 65536u * reg(3) + reg(4); // register 133 is the high word
    const uint32_t percent = heatingPercent(thermal);
    model_.setGraphLevel(id::HeatingGraph, thermal);
    store(33, static_cast<int32_t>(percent));
    model_.setText(id::HeatingPercent, format(text::kFmtPercent, int(percent)));
}

// Registers 240..242: status word and alarm word.
void PollingCycle::decode240() {
    const uint16_t w = reg(0);
    const uint32_t a = static_cast<uint32_t>(reg(1)) | (static_cast<uint32_t>(reg(2)) << 16);
    auto bit = [](uint32_t word, int n) { return (word >> n) & 1u; };

    model_.setState(id::LedTmlpp, bit(w, 6));
    model_.setState(id::LedMotorRelay, bit(w, 1));
    model_.setState(id::LedFunctionRelay, bit(w, 2));
    model_.setState(id::LedRestart, bit(w, 3));

    const bool buttonInput = (config_.analogTemp1 && (bit(a, 8) || bit(a, 19) || bit(a, 20))) ||
                             (config_.analogTemp2 && (bit(a, 9) || bit(a, 21) || bit(a, 22))) ||
                             (config_.analogCurrent && bit(a, 25)) || (config_.analogVoltage && bit(a, 26)) ||
                             bit(w, 7);
    model_.setState(id::LedButtonInputs, buttonInput ? 1 : 0);

    const unsigned mode = (w >> 4) & 3u;
    model_.setState(id::ModeSignalling, mode == 0);
    model_.setState(id::ModeTimer, mode == 1);
    model_.setState(id::ModeStarDelta, mode == 2);

    handleAlarms(w, a);
}

bool PollingCycle::handleAlarms(uint16_t w, uint32_t a) {
    const bool fault = (w & 1u) != 0;
    if (!fault && !noNominalCurrent_) {
        model_.setState(id::LedFault, 0);
        if (AlarmMask.load() != 0) {
            model_.deleteAllAlarmRows();
            AlarmMask.store(0);
        }
        model_.setRange(id::BarRestart, 0, static_cast<int>(restartRangeB_));
        return true;
    }

    uint32_t m = a & ~analogButtonBits(); // inputs used as buttons raise no alarms
    model_.setState(id::LedFault, fault && m != 0 ? 1 : 0);
    if (noNominalCurrent_) m |= 1u << 31; // "Rozruch nie nastąpi"

    for (int i = 0; i < 32; ++i) {
        const uint32_t b = 1u << i;
        if (((m ^ AlarmMask.load()) & b) == 0) continue;
        if (m & b) {
            const _tagSTRUCT_ERR_INFO& info = dll_nErrInfo[i];
            AlarmRow row;
            row.itemData = i;
            row.name = toUtf8(info.pszText);
            row.code = toUtf8(info.pszCode);
            if (info.nValueAdr != 0) {
                uint8_t value[kBufferSize] = {};
                const int r = link_.read03(address_, info.nValueAdr, 1, value, kBufferSize);
                if (r >= 2) {
                    ++registerCount_;
                    row.value = alarmValueText(i, registerAt(value, 0), ctFactor_);
                } else {
                    row.value = text::kTextErr;
                }
            } else {
                row.value = text::kTextNo;
            }
            row.time = timeText(text::kFmtAlarmTime, std::time(nullptr));
            model_.insertAlarmRow(std::move(row));
            AlarmMask.fetch_or(b);
            if (info.nValueAdr != 0 && !running()) return false;
        } else {
            model_.deleteAlarmRows(i);
            AlarmMask.fetch_and(~b);
        }
    }
    const uint32_t range = (a & (1u << 5)) ? restartRangeA_ : restartRangeB_;
    model_.setRange(id::BarRestart, 0, static_cast<int>(range));
    return true;
}

// Registers 150..153: transformer type and rating, rated current, averaging period.
void PollingCycle::decode150() {
    const uint16_t tPt = reg(0), tnt = reg(1), ind = reg(2), tSi = reg(3);
    ctFactor_ = ctFactor(static_cast<uint32_t>(DeviceVersion.load()), tPt, tnt);
    if (ind != 0) {
        for (int bar : {id::BarPhaseCurrent1, id::BarPhaseCurrent2, id::BarPhaseCurrent3}) {
            model_.setRange(bar, 0, ind * 15);
            model_.setMarkers(bar, ind * 10, 0);
        }
        model_.setRange(id::BarNegativeCurrent, 0, ind * 15);
        noNominalCurrent_ = false;
    } else {
        noNominalCurrent_ = true;
    }
    model_.setText(id::AvgPeriod, format(text::kFmtSeconds, int(tSi)));
}

// Registers 177..180: lowest and highest allowed line voltage.
void PollingCycle::decode177() {
    for (int bar : {id::BarLineVoltage1, id::BarLineVoltage2, id::BarLineVoltage3})
        model_.setMarkers(bar, reg(3), reg(0));
}

// Registers 187..188: the two restart delays that give the restart bar its range.
void PollingCycle::decode187() {
    restartRangeA_ = reg(0);
    restartRangeB_ = reg(1);
}

// Register 221: remote start and stop allowed.
void PollingCycle::decode221() {
    const bool remote = reg(0) != 0;
    model_.setVisible(id::MotorPicture, !remote);
    model_.setVisible(id::Start, remote);
    model_.setVisible(id::Stop, remote);
    model_.setState(id::LedRemote, remote ? 1 : 0);
}

} // namespace relvo7::panel
