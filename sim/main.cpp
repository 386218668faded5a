// relvo7-sim: a simulated RELVO-7 relay on Modbus TCP or RTU, with a line
// console on standard input.
#include "RelaySimulator.h"

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

using relvo7::sim::RelaySimulator;
using relvo7::sim::SimOptions;

namespace {

std::atomic<bool> g_stop{false};

void onSignal(int) { g_stop = true; }

void usage()
{
    std::fprintf(stderr,
                 "usage: relvo7-sim [--tcp [HOST:]PORT | --rtu DEVICE | --rtu-pty] [--address N] [--version N]\n"
                 "                  [--seed N] [--baud N] [--line-delay] [--demo] [--commissioned]\n"
                 "  --tcp [HOST:]PORT  Modbus TCP (default 127.0.0.1:1502)\n"
                 "  --rtu DEVICE       Modbus RTU on a serial device (8N2)\n"
                 "  --rtu-pty          Modbus RTU on a new pseudo-terminal; its path is the first line printed\n"
                 "  --address N        device address (1)\n"
                 "  --version N        software version in register 217, 1-99 (55)\n"
                 "  --seed N           noise seed for repeatable values (1)\n"
                 "  --baud N           RTU line speed (9600)\n"
                 "  --line-delay       RTU: hold each reply for the time it takes on a real line\n"
                 "  --demo             play the demo scenario on a loop\n"
                 "  --commissioned     rated current 40 A, remote control on, motor running\n"
                 "Type 'help' on standard input for the console commands.\n");
}

bool parseInt(const char* s, long lo, long hi, long& out)
{
    char* end = nullptr;
    errno = 0;
    out = std::strtol(s, &end, 10);
    return errno == 0 && end && *end == '\0' && end != s && out >= lo && out <= hi;
}

} // namespace

int main(int argc, char** argv)
{
    SimOptions options;
    enum class Mode { Tcp, Rtu, RtuPty } mode = Mode::Tcp;
    std::string host = "127.0.0.1";
    long port = 1502;
    std::string device;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        long n = 0;
        if (arg == "--tcp") {
            mode = Mode::Tcp;
            if (i + 1 < argc && argv[i + 1][0] != '-') {
                std::string spec = next();
                const auto colon = spec.rfind(':');
                if (colon != std::string::npos) {
                    host = spec.substr(0, colon);
                    spec = spec.substr(colon + 1);
                }
                if (!parseInt(spec.c_str(), 0, 65535, port)) {
                    std::fprintf(stderr, "relvo7-sim: bad port '%s'\n", spec.c_str());
                    return 2;
                }
            }
        } else if (arg == "--rtu") {
            const char* d = next();
            if (!d) { usage(); return 2; }
            mode = Mode::Rtu;
            device = d;
        } else if (arg == "--rtu-pty") {
            mode = Mode::RtuPty;
        } else if (arg == "--address" || arg == "--version" || arg == "--seed" || arg == "--baud") {
            const char* v = next();
            const long lo = arg == "--seed" ? 0 : 1;
            const long hi = arg == "--address" ? 247 : arg == "--version" ? 99 : arg == "--seed" ? 4294967295L : 4000000;
            if (!v || !parseInt(v, lo, hi, n)) {
                std::fprintf(stderr, "relvo7-sim: %s needs a number from %ld to %ld\n", arg.c_str(), lo, hi);
                return 2;
            }
            if (arg == "--address") options.address = int(n);
            else if (arg == "--version") options.version = int(n);
            else if (arg == "--seed") options.seed = uint32_t(n);
            else options.baud = int(n);
        } else if (arg == "--line-delay") {
            options.lineDelay = true;
        } else if (arg == "--demo") {
            options.demoScenario = true;
        } else if (arg == "--commissioned") {
            options.commissioned = true;
        } else if (arg == "--help" || arg == "-h") {
            usage();
            return 0;
        } else {
            std::fprintf(stderr, "relvo7-sim: unknown option '%s'\n", arg.c_str());
            usage();
            return 2;
        }
    }

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGPIPE, SIG_IGN); // a reader of our output that goes away must not end the relay

    RelaySimulator sim(options);
    if (mode == Mode::Tcp) {
        const int bound = sim.startTcp(host, int(port));
        if (bound < 0) {
            std::fprintf(stderr, "relvo7-sim: cannot listen on %s:%ld\n", host.c_str(), port);
            return 1;
        }
        std::printf("Modbus TCP on %s:%d, address %d, version %d\n", host.c_str(), bound, options.address,
                    options.version);
    } else if (mode == Mode::RtuPty) {
        const std::string path = sim.startRtuPty();
        if (path.empty()) {
            std::fprintf(stderr, "relvo7-sim: cannot create a pseudo-terminal\n");
            return 1;
        }
        std::printf("%s\n", path.c_str());
        std::printf("Modbus RTU on the pseudo-terminal above, address %d, version %d\n", options.address,
                    options.version);
    } else {
        if (!sim.startRtu(device)) {
            std::fprintf(stderr, "relvo7-sim: cannot open %s\n", device.c_str());
            return 1;
        }
        std::printf("Modbus RTU on %s at %d Bd 8N2, address %d, version %d\n", device.c_str(), options.baud,
                    options.address, options.version);
    }
    std::fflush(stdout);

    // Console: one command a line. End of input leaves the simulator serving
    // until a signal, so it also runs with standard input closed.
    bool inputOpen = true;
    std::string pending;
    while (!g_stop) {
        if (!inputOpen) {
            pause();
            continue;
        }
        pollfd p{STDIN_FILENO, POLLIN, 0};
        if (poll(&p, 1, 200) <= 0)
            continue;
        char buf[512];
        const ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {
            inputOpen = false;
            continue;
        }
        pending.append(buf, size_t(n));
        for (auto nl = pending.find('\n'); nl != std::string::npos; nl = pending.find('\n')) {
            std::string line = pending.substr(0, nl);
            pending.erase(0, nl + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            const std::string out = sim.execute(line);
            if (!out.empty())
                std::printf("%s\n", out.c_str());
            std::fflush(stdout);
            if (out == "bye")
                return 0;
        }
        if (pending.size() > 4096)
            pending.clear(); // a line that long is no command
    }
    return 0;
}
