#include "RelaySimulator.h"

#include "Console.h"
#include "DemoScenario.h"
#include "ModbusServer.h"
#include "RelayModel.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

namespace relvo7::sim {

namespace {
constexpr auto kTick = std::chrono::milliseconds(100);
constexpr auto kRestartSilence = std::chrono::milliseconds(2000);
using Clock = std::chrono::steady_clock;
} // namespace

struct RelaySimulator::Impl final : RequestHandler {
    explicit Impl(const SimOptions& o) : options(o), model(o)
    {
        if (o.commissioned || o.demoScenario)
            model.commission();
        if (o.commissioned && !o.demoScenario)
            model.startMotor();
        demoOn = o.demoScenario;
        clockThread = std::thread([this] { clockLoop(); });
    }

    ~Impl() override
    {
        tcp.stop();
        rtu.stop();
        {
            std::lock_guard lock(mutex);
            stopping = true;
        }
        wake.notify_all();
        clockThread.join();
    }

    // Model clock: steady ticks while not frozen.
    void clockLoop()
    {
        std::unique_lock lock(mutex);
        auto last = Clock::now();
        while (!stopping) {
            wake.wait_for(lock, kTick);
            const auto now = Clock::now();
            const double dt = std::chrono::duration<double>(now - last).count();
            last = now;
            if (!frozen && !stopping)
                advanceLocked(std::min(dt, 1.0));
        }
    }

    void advanceLocked(double seconds)
    {
        // Step in the model's own steps so that the demo sees every change.
        while (seconds > 1e-9) {
            const double dt = std::min(0.1, seconds);
            model.advance(dt);
            if (demoOn)
                demo.update(model);
            seconds -= dt;
        }
    }

    bool silentLocked() const { return Clock::now() < silentUntil; }

    ReadResult readRegisters(int first, int count) override
    {
        std::lock_guard lock(mutex);
        ReadResult r;
        if (silentLocked()) {
            r.silent = true;
            return r;
        }
        for (int i = 0; i < count; ++i) {
            const int reg = first + i;
            if (auto it = failing.find(reg); it != failing.end()) {
                r.exception = it->second;
                return r;
            }
            if (!model.exists(reg)) {
                r.exception = kIllegalAddress;
                return r;
            }
        }
        r.values.reserve(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            r.values.push_back(model.value(first + i));
        return r;
    }

    WriteResult writeRegister(int reg, uint16_t value) override
    {
        std::lock_guard lock(mutex);
        WriteResult w;
        if (silentLocked()) {
            w.silent = true;
            return w;
        }
        if (auto it = failing.find(reg); it != failing.end()) {
            w.exception = it->second;
            return w;
        }
        w.exception = model.write(reg, value);
        if (model.takeRestartRequest())
            silentUntil = Clock::now() + kRestartSilence; // this reply still goes out
        return w;
    }

    bool silent() override
    {
        std::lock_guard lock(mutex);
        return silentLocked();
    }

    SimOptions options;
    mutable std::mutex mutex;
    std::condition_variable wake;
    RelayModel model;              // guarded by mutex
    DemoScenario demo;             // guarded by mutex
    bool demoOn = false;           // guarded by mutex
    bool frozen = false;           // guarded by mutex
    bool stopping = false;         // guarded by mutex
    Clock::time_point silentUntil{}; // guarded by mutex
    std::map<int, int> failing;    // guarded by mutex
    std::thread clockThread;
    TcpServer tcp{*this};
    RtuServer rtu{*this, options.address, options.baud, options.lineDelay};
};

RelaySimulator::RelaySimulator(SimOptions options) : impl_(std::make_unique<Impl>(options)) {}
RelaySimulator::~RelaySimulator() = default;

int RelaySimulator::startTcp(const std::string& host, int port) { return impl_->tcp.start(host, port); }
std::string RelaySimulator::startRtuPty() { return impl_->rtu.startPty(); }
bool RelaySimulator::startRtu(const std::string& device) { return impl_->rtu.startDevice(device); }

void RelaySimulator::stop()
{
    impl_->tcp.stop();
    impl_->rtu.stop();
}

uint16_t RelaySimulator::registerValue(int reg) const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->model.value(reg);
}

void RelaySimulator::setRegister(int reg, uint16_t value)
{
    std::lock_guard lock(impl_->mutex);
    impl_->model.setRaw(reg, value);
}

void RelaySimulator::releaseRegister(int reg)
{
    std::lock_guard lock(impl_->mutex);
    if (reg < 0)
        impl_->model.releaseAll();
    else
        impl_->model.release(reg);
}

int RelaySimulator::writeRegister(int reg, uint16_t value)
{
    return impl_->writeRegister(reg, value).exception;
}

void RelaySimulator::setAlarmBit(int bit, bool on)
{
    std::lock_guard lock(impl_->mutex);
    impl_->model.setAlarmBit(bit, on);
}

void RelaySimulator::trip(Protection protection)
{
    std::lock_guard lock(impl_->mutex);
    impl_->model.trip(protection);
}

void RelaySimulator::setLoadPercent(double percent)
{
    std::lock_guard lock(impl_->mutex);
    impl_->model.setLoad(percent / 100.0);
}

void RelaySimulator::setLineVoltage(double volts)
{
    std::lock_guard lock(impl_->mutex);
    impl_->model.setLineVoltage(volts);
}

void RelaySimulator::setPhaseLost(bool lost)
{
    std::lock_guard lock(impl_->mutex);
    impl_->model.setPhaseLost(lost);
}

void RelaySimulator::startMotor()
{
    std::lock_guard lock(impl_->mutex);
    impl_->model.startMotor();
}

void RelaySimulator::stopMotor()
{
    std::lock_guard lock(impl_->mutex);
    impl_->model.stopMotor();
}

void RelaySimulator::resetFault()
{
    std::lock_guard lock(impl_->mutex);
    impl_->model.resetFault();
}

void RelaySimulator::freeze(bool frozen)
{
    std::lock_guard lock(impl_->mutex);
    impl_->frozen = frozen;
}

void RelaySimulator::silenceFor(int milliseconds)
{
    std::lock_guard lock(impl_->mutex);
    impl_->silentUntil = Clock::now() + std::chrono::milliseconds(std::max(milliseconds, 0));
}

void RelaySimulator::failRegister(int reg, int exceptionCode)
{
    std::lock_guard lock(impl_->mutex);
    if (exceptionCode <= 0)
        impl_->failing.erase(reg);
    else
        impl_->failing[reg] = std::min(exceptionCode, 11);
}

void RelaySimulator::advanceSeconds(double seconds)
{
    std::lock_guard lock(impl_->mutex);
    impl_->advanceLocked(std::clamp(seconds, 0.0, 7.0 * 24 * 3600));
}

void RelaySimulator::setDemo(bool on)
{
    std::lock_guard lock(impl_->mutex);
    if (on && !impl_->demoOn)
        impl_->demo = DemoScenario{};
    impl_->demoOn = on;
}

bool RelaySimulator::answering() const
{
    std::lock_guard lock(impl_->mutex);
    return !impl_->silentLocked();
}

SimStatus RelaySimulator::status() const
{
    std::lock_guard lock(impl_->mutex);
    const auto& m = impl_->model;
    SimStatus s;
    s.running = m.running();
    s.fault = m.fault();
    s.alarms = m.alarms();
    s.heatingPercent = m.thermal() * 100.0 / 1100000.0;
    s.loadPercent = m.load() * 100.0;
    s.modelSeconds = m.modelSeconds();
    s.frozen = impl_->frozen;
    s.demo = impl_->demoOn;
    s.demoPhase = impl_->demoOn ? impl_->demo.phase() : "";
    s.answering = !impl_->silentLocked();
    return s;
}

std::string RelaySimulator::execute(const std::string& line) { return runConsoleCommand(*this, line); }

int RelaySimulator::version() const { return impl_->model.version(); }

} // namespace relvo7::sim
