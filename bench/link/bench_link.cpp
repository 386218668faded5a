// Transactions per second of the link library against libmodbus's own client:
// both read 10 registers from register 100 of the same libmodbus server, over
// TCP loopback and over RTU on a pseudo-terminal, taking turns.
//   bench_link [seconds per run, default 1]
#include <modbus/modbus.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "relvo7link.h"
#include "support/modbus_test_server.h"
#include "support/peers.h"

namespace {

using Clock = std::chrono::steady_clock;

// Runs `once` for the given time; returns transactions per second (0 on a failure).
double rate(double seconds, const std::function<bool()>& once)
{
    for (int i = 0; i < 50; ++i)   // warm up
        if (!once())
            return 0;
    long n = 0;
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration<double>(seconds);
    while (Clock::now() < end) {
        if (!once())
            return 0;
        ++n;
    }
    return n / std::chrono::duration<double>(Clock::now() - start).count();
}

double libraryRun(double seconds)
{
    uint8_t buffer[64];
    return rate(seconds, [&] { return MODBUS_Read03(1, 100, 10, buffer, sizeof buffer) == 20; });
}

// Connects a fresh libmodbus client, measures it and frees it; -1 when it cannot connect.
double libmodbusRun(modbus_t* ctx, double seconds)
{
    if (!ctx)
        return -1;
    double txPerSecond = -1;
    if (modbus_connect(ctx) == 0) {
        modbus_set_slave(ctx, 1);
        uint16_t regs[10];
        txPerSecond = rate(seconds, [&] { return modbus_read_registers(ctx, 100, 10, regs) == 10; });
        modbus_close(ctx);
    }
    modbus_free(ctx);
    return txPerSecond;
}

void report(const char* line, double library, double libmodbus)
{
    std::printf("%-4s link library %9.0f tx/s   libmodbus client %9.0f tx/s   ratio %.2f\n", line, library,
                libmodbus, libmodbus > 0 ? library / libmodbus : 0.0);
}

bool benchTcp(double seconds, int rounds)
{
    ModbusTestServer server = ModbusTestServer::tcp();
    server.start();
    double bestLib = 0, bestMb = 0;
    for (int r = 0; r < rounds; ++r) {
        if (TCP_Open(u"127.0.0.1", server.port()) != 0)
            return false;
        bestLib = std::max(bestLib, libraryRun(seconds));
        TCP_Close();

        const double mb = libmodbusRun(modbus_new_tcp("127.0.0.1", server.port()), seconds);
        if (mb < 0)
            return false;
        bestMb = std::max(bestMb, mb);
    }
    report("TCP", bestLib, bestMb);
    return bestLib > 0 && bestMb > 0;
}

bool benchRtu(double seconds, int rounds)
{
    PtyPair pty;
    ModbusTestServer server = ModbusTestServer::rtu(pty.master());
    server.start();
    double bestLib = 0, bestMb = 0;
    for (int r = 0; r < rounds; ++r) {
        if (COM_Open(pty.slavePath16().c_str()) != 0 || COM_Setup(1, 3, 0, 0) != 0)
            return false;
        bestLib = std::max(bestLib, libraryRun(seconds));
        COM_Close();

        const double mb = libmodbusRun(modbus_new_rtu(pty.slavePath().c_str(), 19200, 'N', 8, 1), seconds);
        if (mb < 0)
            return false;
        bestMb = std::max(bestMb, mb);
    }
    report("RTU", bestLib, bestMb);
    return bestLib > 0 && bestMb > 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 1.0;
    DLL_SetIOTimeout(1000);
    std::printf("read of 10 registers from register 100, best of 3 runs of %.1f s each\n", seconds);
    const bool ok = benchTcp(seconds, 3) && benchRtu(seconds, 3);
    if (!ok)
        std::fprintf(stderr, "a transaction failed\n");
    return ok ? 0 : 1;
}
