// The simulator through the device link library, over TCP loopback and over
// the simulator's pseudo-terminal.
#include "RelayRegisters.h"
#include "RelaySimulator.h"
#include "relvo7link.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

using namespace relvo7::sim;
namespace r = relvo7::sim::reg;

namespace {

std::u16string u16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

int read1(uint32_t address, int reg)
{
    uint8_t buf[10] = {};
    const int rc = MODBUS_Read03(address, uint32_t(reg), 1, buf, sizeof buf);
    return rc == 2 ? buf[0] * 256 + buf[1] : rc;
}

int write1(uint32_t address, int reg, int32_t value) { return MODBUS_Write06(address, uint32_t(reg), &value); }

bool waitAnswering(RelaySimulator& sim)
{
    for (int i = 0; i < 250 && !sim.answering(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return sim.answering();
}

// Both transports run the same checks.
void exerciseRelay(RelaySimulator& sim)
{
    EXPECT_EQ(read1(1, int(dll_nVerDevAdr)), 55);

    // The polling blocks, decoded as the panel decodes them.
    sim.advanceSeconds(30.0);
    uint8_t buf[50] = {};
    for (int first : {100, 110, 120, 130}) {
        ASSERT_EQ(MODBUS_Read03(1, uint32_t(first), 10, buf, sizeof buf), 20) << first;
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(buf[2 * i] * 256 + buf[2 * i + 1], sim.registerValue(first + i)) << first + i;
    }
    ASSERT_EQ(MODBUS_Read03(1, 141, 6, buf, sizeof buf), 12);
    const int32_t cos1 = int32_t(uint32_t(buf[0] << 8 | buf[1]) | uint32_t(buf[2] << 8 | buf[3]) << 16);
    EXPECT_GT(cos1, 700);
    EXPECT_LE(cos1, 1000);

    // Writes: accepted, refused by range, refused as read-only.
    EXPECT_EQ(write1(1, 153, 90), 1);
    EXPECT_EQ(read1(1, 153), 90);
    EXPECT_EQ(write1(1, 153, 9), MODBUS_ERR_EXCEPTION);
    EXPECT_EQ(MODBUS_GetDeviceError(), 3u);
    EXPECT_EQ(read1(1, 148), MODBUS_ERR_EXCEPTION);
    EXPECT_EQ(MODBUS_GetDeviceError(), 2u);

    // A trip seen through the status words, its value and the journal.
    sim.advanceSeconds(60.0);
    sim.trip(Protection::ThermalOverload);
    ASSERT_EQ(MODBUS_Read03(1, 240, 3, buf, sizeof buf), 6);
    EXPECT_EQ(buf[1] & 0x03, 0x01); // fault on, motor relay open
    EXPECT_EQ(buf[2] * 256 + buf[3], 1 << r::AlarmThermal);
    EXPECT_GE(read1(1, 301), 100);
    const int pointer = read1(1, 147);
    ASSERT_EQ(MODBUS_Read03(1, uint32_t(243 + 4 * ((pointer + 1) % 5)), 4, buf, sizeof buf), 8);
    EXPECT_EQ(buf[0] * 256 + buf[1], r::AlarmThermal);

    // Commands: stop, reset, start.
    EXPECT_EQ(write1(1, 237, 0), 1);
    EXPECT_EQ(write1(1, 237, 55), 1);
    EXPECT_EQ(read1(1, 240) & int(r::StatusFault), 0);
    EXPECT_EQ(write1(1, 237, 2), 1);
    EXPECT_EQ(read1(1, 240) & int(r::StatusMotorRelay), int(r::StatusMotorRelay));

    // Another device address gets no answer (RTU) or the same relay (TCP unit id is not checked).
    // Restart: silent for a while, then back with its settings.
    EXPECT_EQ(write1(1, 237, 88), 1);
    EXPECT_EQ(read1(1, 217), MODBUS_ERR_TIMEOUT);
    ASSERT_TRUE(waitAnswering(sim));
    int v = MODBUS_ERR_TIMEOUT;
    for (int i = 0; i < 3 && v < 0; ++i)
        v = read1(1, 153);
    EXPECT_EQ(v, 90);
}

SimOptions commissioned()
{
    SimOptions o;
    o.commissioned = true;
    return o;
}

TEST(SimThroughLink, Tcp)
{
    RelaySimulator sim(commissioned());
    sim.freeze(true);
    const int port = sim.startTcp("127.0.0.1", 0);
    ASSERT_GT(port, 0);
    DLL_SetIOTimeout(500);
    ASSERT_EQ(TCP_Open(u"127.0.0.1", uint32_t(port)), 0);
    exerciseRelay(sim);

    // Callers on several threads are served one at a time, all of them answered.
    std::atomic<int> ok{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 25; ++i) {
                uint8_t buf[50];
                if (MODBUS_Read03(1, 100, 10, buf, sizeof buf) == 20)
                    ++ok;
            }
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(ok.load(), 100);
    TCP_Close();
}

TEST(SimThroughLink, RtuOverPty)
{
    RelaySimulator sim(commissioned());
    sim.freeze(true);
    const std::string path = sim.startRtuPty();
    ASSERT_FALSE(path.empty());
    DLL_SetIOTimeout(500);
    ASSERT_EQ(COM_Open(u16(path).c_str()), 0);
    ASSERT_EQ(COM_Setup(0, 3, 0, 2), 0);
    exerciseRelay(sim);
    EXPECT_EQ(read1(2, 217), MODBUS_ERR_TIMEOUT); // another address: the relay keeps quiet
    EXPECT_EQ(read1(1, 217), 55);
    COM_Close();

    // A second connection to the same pseudo-terminal works as well.
    ASSERT_EQ(COM_Open(u16(path).c_str()), 0);
    ASSERT_EQ(COM_Setup(0, 3, 0, 2), 0);
    EXPECT_EQ(read1(1, 217), 55);
    COM_Close();
}

} // namespace
