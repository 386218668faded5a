// The panel's polling cycle against the relay simulator.
//  1. Modbus RTU at 9600 bit/s 8N2 on a pseudo-terminal, the simulator holding
//     every reply for its real line time: PollingSpeed against the line's limit
//     for the same mix of block sizes (a read of n registers takes 8 request
//     and 5 + 2n reply characters plus two 3.5-character gaps, 11 bits each).
//  2. Modbus TCP on loopback: registers per second of the polling cycle, next
//     to libmodbus's own client reading the same blocks from the same simulator.
//   bench_polling [rtu seconds, default 15] [tcp seconds, default 3]
#include <modbus/modbus.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "DeviceLink.h"
#include "PanelEngine.h"
#include "PanelModel.h"
#include "Prompt.h"
#include "RelaySimulator.h"
#include "SharedState.h"

using namespace relvo7;
using namespace relvo7::panel;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kBaud = 9600.0;

// Line time of one read of n registers at 9600 bit/s, 11 bits a character.
double lineSeconds(uint32_t registers) { return (8.0 + 5.0 + 2.0 * registers + 7.0) * 11.0 / kBaud; }

// Counts the registers of successful reads while counting is on.
class MeteredLink : public RealLink {
public:
    int read03(uint32_t address, uint32_t first, uint32_t count, uint8_t* buffer, uint32_t size) override {
        const int r = RealLink::read03(address, first, count, buffer, size);
        if (counting_.load()) {
            std::lock_guard lock(mutex_);
            if (r > 0) {
                registers_ += count;
                lineTime_ += lineSeconds(count);
                ++mix_[count];
            } else {
                ++failures_;
            }
        }
        return r;
    }
    void setCounting(bool on) { counting_.store(on); }
    uint64_t registers() const { std::lock_guard lock(mutex_); return registers_; }
    double lineTime() const { std::lock_guard lock(mutex_); return lineTime_; }
    uint64_t failures() const { std::lock_guard lock(mutex_); return failures_; }
    std::map<uint32_t, uint64_t> mix() const { std::lock_guard lock(mutex_); return mix_; }

private:
    std::atomic<bool> counting_{false};
    mutable std::mutex mutex_;
    uint64_t registers_ = 0, failures_ = 0;
    double lineTime_ = 0;
    std::map<uint32_t, uint64_t> mix_;
};

class SilentPrompt : public Prompt {
public:
    PromptButton ask(const PromptRequest& r) override {
        std::fprintf(stderr, "message: %s\n", r.text.toUtf8().constData());
        return r.defaultButton;
    }
};

void quietRelay(sim::RelaySimulator& sim) {
    sim.freeze(true);
    sim.setRegister(240, 0);
    sim.setRegister(241, 0);
    sim.setRegister(242, 0);
    sim.setRegister(152, 50);
}

struct Run {
    double seconds = 0;
    uint64_t registers = 0;
    double lineTime = 0;
    uint64_t failures = 0;
    double meanPollingSpeed = 0; // mean of the PollingSpeed values published during the run
    std::map<uint32_t, uint64_t> mix;
};

// Connects the panel engine, lets it poll for `seconds` after a warm-up, disconnects.
bool pollFor(const ConnectionSettings& settings, double seconds, Run& run,
             std::chrono::microseconds cyclePause = std::chrono::microseconds(1000)) {
    MeteredLink link;
    PanelModel model;
    SilentPrompt prompt;
    EngineTimings timings;
    timings.disconnectWait = std::chrono::milliseconds(0);
    timings.cyclePause = cyclePause;
    PanelEngine engine(link, model, prompt, [&] { return settings; }, timings);
    engine.ToggleConnection();
    if (!engine.connected()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1200)); // first speed figure published
    link.setCounting(true);
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration<double>(seconds);
    double speedSum = 0;
    int speedSamples = 0;
    float lastSpeed = PollingSpeed.load();
    while (Clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        engine.processRequests();
        const float s = PollingSpeed.load();
        if (s != lastSpeed) { // a new one-second figure
            speedSum += s;
            ++speedSamples;
            lastSpeed = s;
        }
    }
    link.setCounting(false);
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    engine.ToggleConnection();
    run.registers = link.registers();
    run.lineTime = link.lineTime();
    run.failures = link.failures();
    run.mix = link.mix();
    run.meanPollingSpeed = speedSamples ? speedSum / speedSamples : PollingSpeed.load();
    return true;
}

void printMix(const Run& run) {
    std::printf("  block mix (registers x reads):");
    for (auto [n, reads] : run.mix) std::printf(" %ux%llu", n, static_cast<unsigned long long>(reads));
    std::printf("\n");
}

bool benchRtu(double seconds) {
    sim::SimOptions options;
    options.lineDelay = true;
    options.baud = 9600;
    sim::RelaySimulator sim(options);
    quietRelay(sim);
    const std::string pty = sim.startRtuPty();
    if (pty.empty()) {
        std::fprintf(stderr, "cannot start the simulator on a pseudo-terminal\n");
        return false;
    }
    ConnectionSettings settings;
    settings.szPortName = std::u16string(pty.begin(), pty.end());
    settings.nBaudIndex = 0;     // 9600
    settings.nDataBitsIndex = 3; // 8
    settings.nParityIndex = 0;   // none
    settings.nStopBitsIndex = 2; // 2
    settings.nTimeout = 500;
    Run run;
    if (!pollFor(settings, seconds, run)) {
        std::fprintf(stderr, "RTU: the panel could not connect\n");
        return false;
    }
    const double measured = run.registers / run.seconds;
    const double limit = run.lineTime > 0 ? run.registers / run.lineTime : 0;
    std::printf("RTU 9600 8N2 (%.1f s, %llu registers, %llu failed reads)\n", run.seconds,
                static_cast<unsigned long long>(run.registers), static_cast<unsigned long long>(run.failures));
    printMix(run);
    std::printf("  line limit for this mix   %8.1f registers/s (10-register read: %.1f ms)\n", limit,
                lineSeconds(10) * 1000);
    std::printf("  PollingSpeed (mean)       %8.1f registers/s  = %.1f %% of the limit\n", run.meanPollingSpeed,
                limit > 0 ? 100.0 * run.meanPollingSpeed / limit : 0.0);
    std::printf("  measured over the run     %8.1f registers/s  = %.1f %% of the limit\n", measured,
                limit > 0 ? 100.0 * measured / limit : 0.0);
    return true;
}

// libmodbus's client reading the polling cycle's blocks in its order, for `seconds`.
double libmodbusRate(int port, double seconds, const std::vector<std::pair<int, int>>& blocks) {
    modbus_t* ctx = modbus_new_tcp("127.0.0.1", port);
    if (!ctx) return 0;
    modbus_set_slave(ctx, 1);
    if (modbus_connect(ctx) != 0) {
        modbus_free(ctx);
        return 0;
    }
    uint16_t regs[16];
    uint64_t registers = 0;
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration<double>(seconds);
    size_t i = 0;
    while (Clock::now() < end) {
        const auto [first, count] = blocks[i++ % blocks.size()];
        if (modbus_read_registers(ctx, first, count, regs) == count) registers += count;
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    modbus_close(ctx);
    modbus_free(ctx);
    return registers / elapsed;
}

bool benchTcp(double seconds) {
    sim::SimOptions options;
    sim::RelaySimulator sim(options);
    quietRelay(sim);
    const int port = sim.startTcp();
    if (port <= 0) return false;
    ConnectionSettings settings;
    settings.szPortName = u"Modbus TCP";
    settings.nIpAddress = 0x7F000001u;
    settings.nTcpPort = static_cast<uint32_t>(port);
    Run run;
    if (!pollFor(settings, seconds, run)) {
        std::fprintf(stderr, "TCP: the panel could not connect\n");
        return false;
    }
    // Twelve cycles of the schedule: 4 fast blocks each, a slow pass every
    // third cycle, the slowest pass once.
    std::vector<std::pair<int, int>> blocks;
    for (int cycle = 0; cycle < 12; ++cycle) {
        for (auto b : {std::pair{100, 10}, {110, 10}, {120, 10}, {141, 6}}) blocks.push_back(b);
        if (cycle % 3 == 0) blocks.insert(blocks.end(), {{130, 5}, {240, 3}});
        if (cycle == 0) blocks.insert(blocks.end(), {{150, 4}, {177, 4}, {187, 2}, {221, 1}});
    }
    const double libmodbus = libmodbusRate(port, seconds, blocks);
    const double measured = run.registers / run.seconds;
    Run unpaused;
    if (!pollFor(settings, seconds, unpaused, std::chrono::microseconds(0))) return false;
    const double unpausedRate = unpaused.registers / unpaused.seconds;
    std::printf("TCP loopback (%.1f s)\n", run.seconds);
    printMix(run);
    std::printf("  polling cycle             %9.0f registers/s (PollingSpeed mean %.0f)\n", measured,
                run.meanPollingSpeed);
    std::printf("  libmodbus client          %9.0f registers/s (same blocks, no pause between cycles)\n",
                libmodbus);
    std::printf("  polling cycle, no pause   %9.0f registers/s (the link's own pace)\n", unpausedRate);
    std::printf("  ratio to libmodbus        %9.2f with the 1 ms pause, %.2f without\n",
                libmodbus > 0 ? measured / libmodbus : 0.0, libmodbus > 0 ? unpausedRate / libmodbus : 0.0);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const double rtuSeconds = argc > 1 ? std::atof(argv[1]) : 15.0;
    const double tcpSeconds = argc > 2 ? std::atof(argv[2]) : 3.0;
    bool ok = true;
    if (rtuSeconds > 0) ok = benchRtu(rtuSeconds) && ok;
    if (tcpSeconds > 0) ok = benchTcp(tcpSeconds) && ok;
    return ok ? 0 : 1;
}
