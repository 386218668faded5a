#include "RelayModel.h"

#include "ParamCatalogue.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <utility>

namespace relvo7::sim {

namespace {

constexpr double kTripLevel = 1100000.0;     // thermal value of 100 % heating
constexpr double kSteadyAtRated = 1000000.0; // thermal value the rated current settles at
constexpr double kRestartLevel = 0.7;        // an overload trip may restart below 70 %
constexpr double kStartMultiple = 5.5;       // starting current relative to the rated one
constexpr std::array<double, 3> kCurrentAsymmetry{1.0, 0.985, 1.012};
constexpr std::array<double, 3> kVoltageAsymmetry{1.0, 1.003, 0.996};
constexpr double kSqrt3 = 1.7320508075688772;

// Zero, positive and negative sequence magnitudes of three phasors whose
// magnitudes are given at 0, -120 and +120 degrees.
struct Sequences { double zero, positive, negative; };
Sequences sequences(const std::array<double, 3>& m)
{
    const std::complex<double> a = std::polar(1.0, 2.0 * M_PI / 3.0);
    const std::complex<double> va = m[0], vb = m[1] * a * a, vc = m[2] * a;
    return {std::abs(va + vb + vc) / 3.0, std::abs(va + a * vb + a * a * vc) / 3.0,
            std::abs(va + a * a * vb + a * vc) / 3.0};
}

int clampU16(double v)
{
    return static_cast<int>(std::clamp(std::lround(v), 0L, 65535L));
}

} // namespace

RelayModel::RelayModel(const SimOptions& options)
    : version_(std::clamp(options.version, 1, 99)), address_(options.address), rng_(options.seed)
{
    restoreFactoryValues();
    for (int j = 0; j < 5; ++j) {
        const int base = reg::JournalFirst + 4 * j;
        put(base, 0xFFFF);
        put(base + 1, reg::NoJournalValue);
        put(base + 2, 0xFFFF);
        put(base + 3, 0xFFFF);
    }
    put(reg::JournalPointer, 0);
    publish();
}

void RelayModel::restoreFactoryValues()
{
    for (const auto& rv : params::factoryValues(static_cast<unsigned>(version_)))
        put(rv.reg, rv.value);
    put(212, std::clamp(address_, 1, 247)); // the relay's own address stays
}

bool RelayModel::exists(int r) const
{
    if (r == reg::OperatingMinutesHigh || r == reg::OperatingMinutesLow)
        return true;
    if (r >= reg::PhaseCurrent1 && r <= reg::JournalPointer)
        return true;
    if (r >= reg::FirstConfig && r <= reg::LastConfig)
        return params::findEntry(static_cast<unsigned>(version_), r).has_value();
    if (r == reg::Command || (r >= reg::StatusWord && r <= reg::JournalLast))
        return true;
    if (r >= reg::AlarmValueFirst && r <= reg::AlarmValueLast)
        return true;
    return r == reg::AnalogCurrentAlarmValue || r == reg::AnalogVoltageAlarmValue;
}

uint16_t RelayModel::value(int r) const
{
    if (r < 0 || r >= reg::Count)
        return 0;
    if (auto it = pinned_.find(r); it != pinned_.end())
        return it->second;
    return regs_[r];
}

bool RelayModel::takeRestartRequest()
{
    return std::exchange(restartRequested_, false);
}

int RelayModel::write(int r, uint16_t raw)
{
    if (!exists(r))
        return kIllegalAddress;
    if (r == reg::Command) {
        switch (raw) {
        case reg::CmdStart:
            if (version_ < 13 || cfg(221) == 0 || !startMotor())
                return kIllegalValue; // no remote control, fault state or no rated current
            break;
        case reg::CmdStop:
            stopMotor();
            break;
        case reg::CmdReset:
            if (version_ < 21)
                return kIllegalValue;
            resetFault();
            break;
        case reg::CmdRestart:
            restartDevice();
            restartRequested_ = true;
            break;
        default:
            return kIllegalValue;
        }
        put(reg::Command, raw);
        return 0;
    }
    if (r < reg::FirstConfig || r > reg::LastConfig)
        return kIllegalAddress; // measurements, states and the journal are read-only
    const int value = params::registerToSigned(raw);
    switch (params::checkWrite(static_cast<unsigned>(version_), r, value)) {
    case params::WriteCheck::Ok:
        break;
    case params::WriteCheck::NotInCatalogue:
        return kIllegalAddress;
    default:
        return kIllegalValue;
    }
    if (r == 211 && value == 1) {
        restoreFactoryValues(); // also puts 211 back to 0
        publish();
        return 0;
    }
    put(r, raw);
    publish();
    return 0;
}

void RelayModel::setRaw(int r, uint16_t v)
{
    if (r < 0 || r >= reg::Count)
        return;
    if (r >= reg::FirstConfig && r <= reg::LastConfig && r != reg::Version) {
        regs_[r] = v;
        publish();
    } else {
        pinned_[r] = v;
    }
}

void RelayModel::release(int r) { pinned_.erase(r); }
void RelayModel::releaseAll() { pinned_.clear(); }

int RelayModel::ctFactor() const
{
    return (version_ >= 15 && cfg(150) != 0 && cfg(151) > 100) ? 10 : 1;
}

double RelayModel::thermalTau() const
{
    // Chosen so that from cold, twice the rated current trips after dtt (168) seconds.
    const double dtt = std::max(cfg(168), 1);
    const double reach = kTripLevel / (4.0 * kSteadyAtRated);
    return dtt / -std::log(1.0 - reach);
}

double RelayModel::noise(double amplitude)
{
    std::uniform_real_distribution<double> d(-amplitude, amplitude);
    return d(rng_);
}

double RelayModel::maxCurrent() const { return *std::max_element(current_.begin(), current_.end()); }
double RelayModel::minLineVoltage() const { return *std::min_element(lineVolts_.begin(), lineVolts_.end()); }
double RelayModel::maxLineVoltage() const { return *std::max_element(lineVolts_.begin(), lineVolts_.end()); }

void RelayModel::advance(double seconds)
{
    seconds = std::clamp(seconds, 0.0, 7.0 * 24 * 3600);
    while (seconds > 1e-9) {
        const double dt = std::min(0.1, seconds);
        step(dt);
        seconds -= dt;
    }
}

void RelayModel::step(double dt)
{
    time_ += dt;
    operatingMinutes_ += dt / 60.0;
    const double rated = ratedCurrent();

    double base = 0.0;
    if (running_) {
        motorSeconds_ += dt;
        runSeconds_ += dt;
        base = load_ * rated;
        if (starting_) {
            startElapsed_ += dt;
            const double left = 1.0 - startElapsed_ / startDuration_;
            if (left <= 0.0) {
                starting_ = false;
                lastStartSeconds_ = startElapsed_;
            } else {
                base = rated * (load_ + (kStartMultiple - load_) * left);
            }
        }
    }
    for (int k = 0; k < 3; ++k)
        current_[k] = std::max(0.0, base * kCurrentAsymmetry[k] * (1.0 + noise(0.004)));
    if (running_ && phaseLost_) {
        current_[2] = 0.0;
        current_[0] *= 1.15;
        current_[1] *= 1.15;
    }
    if (starting_)
        startPeak_ = std::max(startPeak_, maxCurrent());

    const double period = std::max(cfg(153), 1);
    for (int k = 0; k < 3; ++k) {
        average_[k] += (current_[k] - average_[k]) * std::min(1.0, dt / period);
        highestAverage_[k] = std::max(highestAverage_[k], average_[k]);
    }

    const double tau = thermalTau();
    if (running_ && rated > 0) {
        const double ratio = maxCurrent() / rated;
        const double steady = kSteadyAtRated * ratio * ratio;
        thermal_ += (steady - thermal_) * (1.0 - std::exp(-dt / tau));
    } else {
        const double slower = std::max(cfg(169), 10) / 10.0;
        thermal_ *= std::exp(-dt / (tau * slower));
    }

    for (int k = 0; k < 3; ++k)
        phaseVolts_[k] = lineVoltage_ / kSqrt3 * kVoltageAsymmetry[k] + noise(0.6);
    for (int k = 0; k < 3; ++k) {
        const double a = phaseVolts_[k], b = phaseVolts_[(k + 1) % 3];
        lineVolts_[k] = std::sqrt(a * a + b * b + a * b);
    }
    if (!running_)
        insulation_ += (250.0 - insulation_) * 0.05 + noise(0.5);

    if (running_ && !fault_)
        runProtections(dt);
    runRestart(dt);
    publish();
}

void RelayModel::runProtections(double dt)
{
    const double rated = ratedCurrent();
    const double imax = maxCurrent();
    const int ct = ctFactor();

    const int ocMode = cfg(157);
    if (ocMode != 0 && rated > 0 && !starting_ && imax > cfg(155) / 10.0 * rated) {
        overCurrentTimer_ += dt;
        if (overCurrentTimer_ >= cfg(156) / 10.0)
            return doTrip(reg::AlarmOverCurrent, ocMode, false, clampU16(imax * 10.0 / ct));
    } else {
        overCurrentTimer_ = 0.0;
    }

    const int thermalMode = cfg(167);
    if (thermalMode != 0 && thermal_ >= kTripLevel)
        return doTrip(reg::AlarmThermal, thermalMode, false, clampU16(thermal_ * 100.0 / kTripLevel));

    const int plMode = version_ >= 13 ? cfg(220) : 1;
    const double plDelay = version_ >= 13 ? cfg(219) / 10.0 : 0.5;
    const double imin = *std::min_element(current_.begin(), current_.end());
    if (plMode != 0 && !starting_ && imax > 0.1 * rated && imin < 0.1 * imax) {
        phaseLossTimer_ += dt;
        if (phaseLossTimer_ >= plDelay)
            return doTrip(reg::AlarmPhaseLoss, plMode, false, reg::NoJournalValue);
    } else {
        phaseLossTimer_ = 0.0;
    }

    const int uvMode = cfg(179);
    if (uvMode != 0 && minLineVoltage() < cfg(177)) {
        underVoltageTimer_ += dt;
        if (underVoltageTimer_ >= cfg(178))
            return doTrip(reg::AlarmUnderVoltage, uvMode, true, clampU16(minLineVoltage()));
    } else {
        underVoltageTimer_ = 0.0;
    }

    const int ovMode = cfg(182);
    if (ovMode != 0 && maxLineVoltage() > cfg(180)) {
        overVoltageTimer_ += dt;
        if (overVoltageTimer_ >= cfg(181))
            return doTrip(reg::AlarmOverVoltage, ovMode, true, clampU16(maxLineVoltage()));
    } else {
        overVoltageTimer_ = 0.0;
    }
}

void RelayModel::doTrip(int bit, int protectionMode, bool voltageProtection, int alarmValue)
{
    fault_ = true;
    running_ = false;
    starting_ = false;
    alarms_ |= 1u << bit;
    if (alarmValue != reg::NoJournalValue) {
        if (bit <= 15)
            put(reg::AlarmValueFirst + bit, alarmValue);
        else if (bit == 25)
            put(reg::AnalogCurrentAlarmValue, alarmValue);
        else if (bit == 26)
            put(reg::AnalogVoltageAlarmValue, alarmValue);
    }
    appendJournal(bit, alarmValue);
    overCurrentTimer_ = phaseLossTimer_ = underVoltageTimer_ = overVoltageTimer_ = 0.0;

    // Mode 2 restarts by itself; the other protections also need Arr (189) on.
    restartPending_ = protectionMode == 2 && (voltageProtection || cfg(189) == 1);
    restartNeedsVoltage_ = voltageProtection;
    restartLeft_ = std::max(cfg(188), 0);
    if (bit == reg::AlarmThermal) {
        const double cooling = thermalTau() * std::max(cfg(169), 10) / 10.0;
        const double level = kRestartLevel * kTripLevel;
        coolingWait_ = thermal_ > level ? cooling * std::log(thermal_ / level) : 0.0;
    }
    publish();
}

void RelayModel::appendJournal(int code, int value)
{
    // The newest entry sits right after the pointer: a new entry replaces the
    // oldest one (at the pointer) and the pointer moves back by one.
    int p = regs_[reg::JournalPointer];
    if (p > 4)
        p = 0;
    const auto stamp = static_cast<uint32_t>(operatingMinutes_);
    const int base = reg::JournalFirst + 4 * p;
    put(base, code);
    put(base + 1, value);
    put(base + 2, static_cast<int>(stamp >> 16));
    put(base + 3, static_cast<int>(stamp & 0xFFFF));
    put(reg::JournalPointer, (p + 4) % 5);
}

void RelayModel::runRestart(double dt)
{
    if (coolingWait_ > 0.0)
        coolingWait_ = std::max(0.0, coolingWait_ - dt);
    if (!fault_ || !restartPending_ || coolingWait_ > 0.0)
        return;
    if (restartNeedsVoltage_) {
        const double lo = minLineVoltage(), hi = maxLineVoltage();
        if (lo < cfg(177) || hi > cfg(180)) {
            restartLeft_ = std::max(cfg(188), 0); // wait for the mains to come back
            return;
        }
    }
    restartLeft_ -= dt;
    if (restartLeft_ > 0.0)
        return;
    restartPending_ = false;
    fault_ = false;
    alarms_ = 0;
    if (ratedCurrent() > 0)
        beginStart();
}

void RelayModel::beginStart()
{
    running_ = true;
    starting_ = true;
    startElapsed_ = 0.0;
    startDuration_ = 1.5 + 1.5 * std::min(load_, 2.0);
    startPeak_ = 0.0;
    runSeconds_ = 0.0;
}

bool RelayModel::startMotor()
{
    if (fault_ || ratedCurrent() <= 0)
        return false;
    if (!running_)
        beginStart();
    publish();
    return true;
}

void RelayModel::stopMotor()
{
    running_ = false;
    starting_ = false;
    restartPending_ = false;
    publish();
}

void RelayModel::resetFault()
{
    fault_ = false;
    alarms_ = 0;
    restartPending_ = false;
    coolingWait_ = 0.0;
    publish();
}

void RelayModel::restartDevice()
{
    running_ = false;
    starting_ = false;
    fault_ = false;
    alarms_ = 0;
    restartPending_ = false;
    coolingWait_ = 0.0;
    overCurrentTimer_ = phaseLossTimer_ = underVoltageTimer_ = overVoltageTimer_ = 0.0;
    publish();
}

void RelayModel::commission()
{
    if (cfg(152) == 0)
        put(152, 40);
    if (version_ >= 13)
        put(221, 1);
    put(195, 1);
    publish();
}

void RelayModel::setLoad(double fraction) { load_ = std::clamp(fraction, 0.0, 10.0); }
void RelayModel::setLineVoltage(double volts) { lineVoltage_ = std::clamp(volts, 0.0, 1000.0); }
void RelayModel::setPhaseLost(bool lost) { phaseLost_ = lost; }

int RelayModel::alarmValueFor(int bit) const
{
    const int ct = ctFactor();
    switch (bit) {
    case 0: case 2: case 4: case 5: case 6: case 7: case 11:
        return clampU16(maxCurrent() * 10.0 / ct);
    case 1: return clampU16(thermal_ * 100.0 / kTripLevel);
    case 8: return regs_[reg::Temperature1];
    case 9: return regs_[reg::Temperature2];
    case 12: return clampU16(minLineVoltage());
    case 13: case 14: return clampU16(maxLineVoltage());
    case 15: return clampU16(insulation_);
    case 25: return regs_[reg::AnalogCurrent];
    case 26: return regs_[reg::AnalogVoltage];
    default: return reg::NoJournalValue;
    }
}

void RelayModel::setAlarmBit(int bit, bool on)
{
    if (bit < 0 || bit > 31)
        return;
    if (on) {
        const int v = alarmValueFor(bit);
        if (v != reg::NoJournalValue && bit <= 15)
            put(reg::AlarmValueFirst + bit, v);
        else if (v != reg::NoJournalValue && (bit == 25 || bit == 26))
            put(bit == 25 ? reg::AnalogCurrentAlarmValue : reg::AnalogVoltageAlarmValue, v);
        alarms_ |= 1u << bit;
        fault_ = true;
        running_ = false;
        starting_ = false;
    } else {
        alarms_ &= ~(1u << bit);
        if (alarms_ == 0)
            fault_ = false;
    }
    publish();
}

void RelayModel::trip(Protection protection)
{
    const int ct = ctFactor();
    const double rated = ratedCurrent();
    switch (protection) {
    case Protection::OverCurrent: {
        const double atTrip = std::max(maxCurrent(), cfg(155) / 10.0 * rated * 1.05);
        return doTrip(reg::AlarmOverCurrent, cfg(157), false, clampU16(atTrip * 10.0 / ct));
    }
    case Protection::ThermalOverload:
        thermal_ = std::max(thermal_, kTripLevel);
        return doTrip(reg::AlarmThermal, cfg(167), false, clampU16(thermal_ * 100.0 / kTripLevel));
    case Protection::PhaseLoss:
        return doTrip(reg::AlarmPhaseLoss, version_ >= 13 ? cfg(220) : 1, false, reg::NoJournalValue);
    case Protection::UnderVoltage:
        return doTrip(reg::AlarmUnderVoltage, cfg(179), true,
                      clampU16(std::min(minLineVoltage(), cfg(177) - 10.0)));
    case Protection::OverVoltage:
        return doTrip(reg::AlarmOverVoltage, cfg(182), true,
                      clampU16(std::max(maxLineVoltage(), cfg(180) + 10.0)));
    }
}

void RelayModel::setCurrentRegister(int r, double amps)
{
    put(r, clampU16(amps * 10.0 / ctFactor()));
}

void RelayModel::put(int r, int value)
{
    regs_[r] = static_cast<uint16_t>(value);
}

void RelayModel::publish()
{
    const double rated = ratedCurrent();
    const auto minutes = static_cast<uint32_t>(operatingMinutes_);
    put(reg::OperatingMinutesHigh, static_cast<int>(minutes >> 16));
    put(reg::OperatingMinutesLow, static_cast<int>(minutes & 0xFFFF));

    for (int k = 0; k < 3; ++k) {
        setCurrentRegister(reg::PhaseCurrent1 + k, current_[k]);
        setCurrentRegister(reg::AverageCurrent1 + k, average_[k]);
        setCurrentRegister(reg::HighestAverage1 + k, highestAverage_[k]);
    }
    const Sequences is = sequences(current_);
    put(reg::ZeroSeqCurrent, clampU16(is.zero * 10.0)); // never scaled by the CT factor
    setCurrentRegister(reg::StartingCurrent, startPeak_);
    const double mean = (current_[0] + current_[1] + current_[2]) / 3.0;
    setCurrentRegister(reg::OverloadCurrent, running_ && rated > 0 && mean > rated ? mean : 0.0);
    put(reg::StartingTime, clampU16(lastStartSeconds_));
    setCurrentRegister(reg::NegSeqCurrent, is.negative);

    for (int k = 0; k < 3; ++k) {
        put(reg::PhaseVoltage1 + k, clampU16(phaseVolts_[k]));
        put(reg::LineVoltageAB + k, clampU16(lineVolts_[k]));
    }
    const Sequences vs = sequences(phaseVolts_);
    put(reg::PosSeqVoltage, clampU16(vs.positive));
    put(reg::NegSeqVoltage, clampU16(vs.negative));
    put(reg::ZeroSeqVoltage, clampU16(vs.zero));

    const double heat = thermal_ / kTripLevel;
    put(reg::Temperature1, cfg(192) == 0 ? reg::SensorOff : clampU16(25.0 + 60.0 * heat));
    put(reg::Temperature2, cfg(195) == 0 ? reg::SensorOff : clampU16(25.0 + 70.0 * heat));
    put(reg::AnalogCurrent, clampU16(120.0 + noise(2.0)));
    put(reg::AnalogVoltage, clampU16(50.0 + noise(1.0)));
    put(reg::DeviceHours, clampU16(minutes / 60));
    put(reg::Frequency, clampU16(500.0 + noise(1.2)));

    int countdown = reg::NotCounting;
    if (running_ && rated > 0) {
        const double ratio = maxCurrent() / rated;
        const double steady = kSteadyAtRated * ratio * ratio;
        if (steady > kTripLevel && thermal_ < kTripLevel)
            countdown = clampU16(std::ceil(thermalTau() * std::log((steady - thermal_) / (steady - kTripLevel))));
    }
    put(reg::OverloadCountdown, std::min(countdown, static_cast<int>(reg::NotCounting)));
    const bool counting = fault_ && restartPending_ && coolingWait_ <= 0.0;
    put(reg::RestartCountdown, counting ? clampU16(std::ceil(restartLeft_)) : reg::NotCounting);
    put(reg::OverloadWait, coolingWait_ > 0.0 ? clampU16(std::ceil(coolingWait_)) : reg::NotCounting);
    put(reg::Insulation, clampU16(insulation_));
    const auto thermal = static_cast<uint32_t>(std::max(thermal_, 0.0));
    put(reg::ThermalHigh, static_cast<int>(thermal >> 16));
    put(reg::ThermalLow, static_cast<int>(thermal & 0xFFFF));
    for (int r = 135; r <= 140; ++r)
        put(r, 0);

    for (int k = 0; k < 3; ++k) {
        int32_t pf = 0;
        if (running_ && current_[k] > 0.0) {
            const double base = 0.70 + 0.18 * std::min(load_, 1.0) - 0.01 * k;
            pf = static_cast<int32_t>(std::lround(std::clamp(base + noise(0.004), 0.0, 1.0) * 1000.0));
        }
        const auto u = static_cast<uint32_t>(pf);
        put(reg::PowerFactor1 + 2 * k, static_cast<int>(u & 0xFFFF)); // low word first
        put(reg::PowerFactor1 + 2 * k + 1, static_cast<int>(u >> 16));
    }

    // Operating hours kept in the configuration block (read-only entries).
    put(207, clampU16(std::min<uint32_t>(minutes / 60, 23976)));
    put(208, clampU16(std::min(motorSeconds_ / 3600.0, 23976.0)));

    unsigned status = 0;
    if (fault_)
        status |= reg::StatusFault;
    if (running_)
        status |= reg::StatusMotorRelay;
    const int relayMode = cfg(205) & 3;
    bool functionRelay = false;
    if (relayMode == 0)
        functionRelay = fault_;
    else if (relayMode == 1)
        functionRelay = running_ && runSeconds_ >= cfg(206);
    else if (relayMode == 2)
        functionRelay = running_ && runSeconds_ >= cfg(206) + cfg(218) / 10.0;
    if (functionRelay)
        status |= reg::StatusFunctionRelay;
    if (fault_ && restartPending_)
        status |= reg::StatusRestartPending;
    status |= static_cast<unsigned>(relayMode) << reg::StatusRelayModeShift;
    if (cfg(202) == 1)
        status |= reg::StatusMinimalParams;
    put(reg::StatusWord, static_cast<int>(status));
    put(reg::AlarmWordLow, static_cast<int>(alarms_ & 0xFFFF));
    put(reg::AlarmWordHigh, static_cast<int>(alarms_ >> 16));
}

} // namespace relvo7::sim
