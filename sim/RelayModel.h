#pragma once
// The simulated relay and its motor, without threads or sockets: the register
// array, the motor and thermal model, the protections, the journal and the
// handling of register writes. Not thread-safe; RelaySimulator guards it.
#include "RelayRegisters.h"
#include "RelaySimulator.h"

#include <array>
#include <cstdint>
#include <map>
#include <random>

namespace relvo7::sim {

// Modbus exception codes the relay answers with.
inline constexpr int kIllegalFunction = 1;
inline constexpr int kIllegalAddress = 2;
inline constexpr int kIllegalValue = 3;

class RelayModel {
public:
    explicit RelayModel(const SimOptions& options);

    int version() const { return version_; }

    // Register access as a Modbus client sees it.
    bool exists(int reg) const;
    uint16_t value(int reg) const;
    // A function 06 write: 0 when accepted, else the exception code.
    int write(int reg, uint16_t value);
    // Set when the last accepted write was the restart command (88).
    bool takeRestartRequest();

    // Direct setting for people and tests: configuration registers are stored
    // as they are (no checks); registers the model computes are pinned to the
    // value until released.
    void setRaw(int reg, uint16_t value);
    void release(int reg);
    void releaseAll();

    // Driving.
    void advance(double seconds);            // runs the model in steps of at most 0.1 s
    void trip(Protection protection);
    void setAlarmBit(int bit, bool on);
    void setLoad(double fractionOfRated);
    double load() const { return load_; }
    void setLineVoltage(double volts);
    void setPhaseLost(bool lost);
    bool startMotor();                        // false when the relay cannot start it
    void stopMotor();
    void resetFault();
    void restartDevice();                     // settings kept, motor stopped, faults cleared
    void commission();                        // rated current, remote control, a sensor

    bool running() const { return running_; }
    bool fault() const { return fault_; }
    uint32_t alarms() const { return alarms_; }
    double thermal() const { return thermal_; } // 1 100 000 = trip level
    int ctFactor() const;
    double modelSeconds() const { return time_; }

private:
    int cfg(int reg) const { return static_cast<int16_t>(regs_[reg]); }
    double ratedCurrent() const { return cfg(152); }
    double thermalTau() const;
    void step(double dt);
    void runProtections(double dt);
    void runRestart(double dt);
    void doTrip(int bit, int protectionMode, bool voltageProtection, int alarmValue);
    void appendJournal(int code, int value);
    void beginStart();
    void publish();
    void setCurrentRegister(int reg, double amps);
    void put(int reg, int value);
    void restoreFactoryValues();
    int alarmValueFor(int bit) const;
    double maxCurrent() const;
    double minLineVoltage() const;
    double maxLineVoltage() const;
    double noise(double amplitude);

    int version_;
    int address_;
    std::mt19937 rng_;
    std::array<uint16_t, reg::Count> regs_{};
    std::map<int, uint16_t> pinned_;
    bool restartRequested_ = false;

    double time_ = 0.0;                // model seconds
    double operatingMinutes_ = 0.0;
    double motorSeconds_ = 0.0;
    bool running_ = false;
    bool fault_ = false;
    uint32_t alarms_ = 0;
    double load_ = 0.8;
    double lineVoltage_ = 400.0;
    bool phaseLost_ = false;

    bool starting_ = false;
    double startElapsed_ = 0.0;
    double startDuration_ = 0.0;
    double startPeak_ = 0.0;           // A
    double lastStartSeconds_ = 0.0;
    double runSeconds_ = 0.0;          // since the last start

    double thermal_ = 0.0;
    std::array<double, 3> current_{};  // A
    std::array<double, 3> average_{};
    std::array<double, 3> highestAverage_{};
    std::array<double, 3> phaseVolts_{};
    std::array<double, 3> lineVolts_{};
    double insulation_ = 250.0;        // 0.1 MOhm

    double overCurrentTimer_ = 0.0;
    double phaseLossTimer_ = 0.0;
    double underVoltageTimer_ = 0.0;
    double overVoltageTimer_ = 0.0;

    bool restartPending_ = false;      // automatic restart (SPZ) after the trip
    bool restartNeedsVoltage_ = false;
    double coolingWait_ = 0.0;         // s until an overload trip may restart
    double restartLeft_ = 0.0;         // s of the restart delay
};

} // namespace relvo7::sim
