#pragma once
// A simulated RELVO-7 relay served over real Modbus (libmodbus server API).
// Tests start it in-process on a free loopback port or a pseudo-terminal and
// drive it through the same operations as the console of relvo7-sim.
#include <cstdint>
#include <memory>
#include <string>

namespace relvo7::sim {

struct SimOptions {
    int version = 55;        // software version in register 217 (1..99)
    int address = 1;         // Modbus device address
    uint32_t seed = 1;       // noise seed, for repeatable values
    bool lineDelay = false;  // RTU: hold each reply for the real line time
    int baud = 9600;         // line speed used by lineDelay and the RTU port
    bool demoScenario = false; // play the demo scenario on a loop by itself
    bool commissioned = false; // rated current 40 A, remote control on, motor running
};

// A summary of the model for the console and tests.
struct SimStatus {
    bool running = false;       // motor relay closed
    bool fault = false;         // relay in the fault state
    uint32_t alarms = 0;        // alarm word (241 low, 242 high)
    double heatingPercent = 0;  // thermal state, 100 = trip level
    double loadPercent = 0;
    double modelSeconds = 0;
    bool frozen = false;
    bool demo = false;
    std::string demoPhase;
    bool answering = true;      // false while silenced or restarting
};

enum class Protection { OverCurrent, ThermalOverload, PhaseLoss, UnderVoltage, OverVoltage };

class RelaySimulator {
public:
    explicit RelaySimulator(SimOptions options = {});
    ~RelaySimulator(); // stops serving and joins every thread
    RelaySimulator(const RelaySimulator&) = delete;
    RelaySimulator& operator=(const RelaySimulator&) = delete;

    // Serve Modbus TCP on host:port (port 0 = a free port). Returns the port, or -1.
    int startTcp(const std::string& host = "127.0.0.1", int port = 0);
    // Serve Modbus RTU on a new pseudo-terminal pair. Returns the path a client
    // opens (e.g. /dev/pts/7), or "" on failure.
    std::string startRtuPty();
    // Serve Modbus RTU on an existing serial device. Returns false on failure.
    bool startRtu(const std::string& device);
    void stop();

    // Register access (the model's current values).
    uint16_t registerValue(int reg) const;
    // Sets a register as it stands: configuration registers without checks;
    // registers the model computes stay at the value until released.
    void setRegister(int reg, uint16_t value);
    void releaseRegister(int reg);           // -1 releases every register
    // A write as a Modbus client's function 06 would make it: 0 or the
    // exception code the relay answers with.
    int writeRegister(int reg, uint16_t value);

    // Driving the model.
    void setAlarmBit(int bit, bool on);      // alarm word bit (241 low word, 242 high word)
    void trip(Protection protection);        // trips as the relay would (fault bit, journal, ...)
    void setLoadPercent(double percent);     // motor load relative to rated current
    void startMotor();
    void stopMotor();
    void resetFault();                       // as command 55
    void setLineVoltage(double volts);       // mains line voltage (400 V)
    void setPhaseLost(bool lost);            // the motor loses phase 3
    void setDemo(bool on);
    void freeze(bool frozen);                // values stop changing
    void silenceFor(int milliseconds);       // stop answering for a while
    void failRegister(int reg, int exceptionCode); // answer reads of reg with this exception (0 = clear)
    void advanceSeconds(double seconds);     // run the model forward (tests; also used by the clock)

    // One console line (the same commands as relvo7-sim's standard input);
    // returns the text the console prints.
    std::string execute(const std::string& line);

    int version() const;
    bool answering() const;
    SimStatus status() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace relvo7::sim
