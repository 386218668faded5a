// The simulator over real Modbus: libmodbus clients on TCP loopback and on the
// simulator's pseudo-terminal.
#include "ModbusServer.h"
#include "RelayRegisters.h"
#include "RelaySimulator.h"

#include <gtest/gtest.h>
#include <modbus/modbus.h>

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace relvo7::sim;
namespace r = relvo7::sim::reg;

namespace {

using ModbusPtr = std::unique_ptr<modbus_t, void (*)(modbus_t*)>;

void closeAndFree(modbus_t* ctx)
{
    modbus_close(ctx);
    modbus_free(ctx);
}

ModbusPtr tcpClient(int port, uint32_t timeoutMs = 1000)
{
    ModbusPtr ctx(modbus_new_tcp("127.0.0.1", port), closeAndFree);
    if (!ctx || modbus_connect(ctx.get()) != 0)
        return ModbusPtr(nullptr, closeAndFree);
    modbus_set_response_timeout(ctx.get(), timeoutMs / 1000, (timeoutMs % 1000) * 1000);
    modbus_set_slave(ctx.get(), 1);
    return ctx;
}

ModbusPtr rtuClient(const std::string& path, int slave = 1, uint32_t timeoutMs = 1000)
{
    ModbusPtr ctx(modbus_new_rtu(path.c_str(), 9600, 'N', 8, 2), closeAndFree);
    if (!ctx || modbus_connect(ctx.get()) != 0)
        return ModbusPtr(nullptr, closeAndFree);
    modbus_set_response_timeout(ctx.get(), timeoutMs / 1000, (timeoutMs % 1000) * 1000);
    modbus_set_slave(ctx.get(), slave);
    return ctx;
}

int read1(modbus_t* ctx, int reg)
{
    uint16_t v = 0;
    return modbus_read_registers(ctx, reg, 1, &v) == 1 ? v : -1;
}

// The exception code of the last failed call, or 0 when it was no exception.
int lastException()
{
    if (errno > MODBUS_ENOBASE && errno < MODBUS_ENOBASE + 12)
        return errno - MODBUS_ENOBASE;
    return 0;
}

// Waits (bounded) until the simulator answers again.
bool waitAnswering(RelaySimulator& sim, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (sim.answering())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return sim.answering();
}

struct TcpSim : ::testing::Test {
    SimOptions options() const
    {
        SimOptions o;
        o.commissioned = true;
        return o;
    }
    RelaySimulator sim{options()};
    int port = -1;
    ModbusPtr client{nullptr, closeAndFree};

    void SetUp() override
    {
        sim.freeze(true); // the model moves only when the test says so
        port = sim.startTcp("127.0.0.1", 0);
        ASSERT_GT(port, 0);
        client = tcpClient(port);
        ASSERT_TRUE(client);
    }
};

TEST_F(TcpSim, ReadsVersionMeasurementsAndStates)
{
    EXPECT_EQ(read1(client.get(), 217), 55);
    sim.advanceSeconds(30.0);
    uint16_t block[100];
    for (int first : {100, 110, 120, 130}) {
        ASSERT_EQ(modbus_read_registers(client.get(), first, 10, block), 10) << first;
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(block[i], sim.registerValue(first + i)) << first + i;
    }
    EXPECT_NEAR(sim.registerValue(100), 320, 12);
    ASSERT_EQ(modbus_read_registers(client.get(), 240, 3, block), 3);
    EXPECT_EQ(block[0] & r::StatusMotorRelay, r::StatusMotorRelay);
    EXPECT_EQ(modbus_read_registers(client.get(), 98, 2, block), 2);
    EXPECT_EQ(modbus_read_registers(client.get(), 141, 7, block), 7); // power factors and the journal pointer
    EXPECT_EQ(modbus_read_registers(client.get(), 243, 20, block), 20);
    EXPECT_EQ(modbus_read_registers(client.get(), 150, 81, block), 81);
    EXPECT_EQ(modbus_read_registers(client.get(), 300, 16, block), 16);
    EXPECT_EQ(modbus_read_registers(client.get(), 325, 2, block), 2);
}

TEST_F(TcpSim, RegistersOutsideTheMapAnswerIllegalAddress)
{
    uint16_t block[10];
    for (int reg : {0, 97, 148, 149, 231, 236, 238, 263, 316, 324, 327, 9999, 65535}) {
        EXPECT_EQ(modbus_read_registers(client.get(), reg, 1, block), -1) << reg;
        EXPECT_EQ(lastException(), MODBUS_EXCEPTION_ILLEGAL_DATA_ADDRESS) << reg;
    }
    // A block that runs past the end of a range is refused whole.
    EXPECT_EQ(modbus_read_registers(client.get(), 145, 5, block), -1);
    EXPECT_EQ(lastException(), MODBUS_EXCEPTION_ILLEGAL_DATA_ADDRESS);
    // The connection stays usable.
    EXPECT_EQ(read1(client.get(), 217), 55);
}

TEST_F(TcpSim, WritesAreCheckedAndTakeEffect)
{
    EXPECT_EQ(modbus_write_register(client.get(), 151, 150), 1);
    EXPECT_EQ(read1(client.get(), 151), 150);
    struct Bad { int reg; int value; int exception; };
    const Bad bad[] = {{151, 19, 3}, {201, 7, 3}, {201, 25, 3}, {217, 55, 3}, {207, 1, 3},
                       {100, 1, 2},  {240, 0, 2}, {149, 0, 2},  {237, 9, 3}};
    for (const Bad& b : bad) {
        EXPECT_EQ(modbus_write_register(client.get(), b.reg, b.value), -1) << b.reg;
        EXPECT_EQ(lastException(), b.exception) << b.reg;
    }
    EXPECT_EQ(read1(client.get(), 151), 150);
    // Negative settings travel as two's complement.
    EXPECT_EQ(modbus_write_register(client.get(), 194, 0xFFF7), 1);
    EXPECT_EQ(read1(client.get(), 194), 0xFFF7);
    // 211 = 1 restores the factory values (version 55).
    EXPECT_EQ(modbus_write_register(client.get(), 211, 1), 1);
    EXPECT_EQ(read1(client.get(), 151), 100);
    EXPECT_EQ(read1(client.get(), 194), 0);
}

TEST_F(TcpSim, CommandsTripsJournalAndReset)
{
    sim.advanceSeconds(5.0);
    EXPECT_EQ(modbus_write_register(client.get(), 237, 0), 1); // stop
    EXPECT_EQ(read1(client.get(), 240) & r::StatusMotorRelay, 0);
    EXPECT_EQ(modbus_write_register(client.get(), 237, 2), 1); // start
    sim.advanceSeconds(5.0);
    EXPECT_EQ(read1(client.get(), 240) & r::StatusMotorRelay, int(r::StatusMotorRelay));

    sim.advanceSeconds(60.0);
    sim.trip(Protection::OverCurrent);
    uint16_t w[3];
    ASSERT_EQ(modbus_read_registers(client.get(), 240, 3, w), 3);
    EXPECT_EQ(w[0] & (r::StatusFault | r::StatusMotorRelay), r::StatusFault);
    EXPECT_EQ(w[1], 1u << r::AlarmOverCurrent);
    EXPECT_GT(read1(client.get(), 300), 1600); // above 4 x 40 A in tenths
    const int pointer = read1(client.get(), 147);
    uint16_t e[4];
    ASSERT_EQ(modbus_read_registers(client.get(), 243 + 4 * ((pointer + 1) % 5), 4, e), 4);
    EXPECT_EQ(e[0], r::AlarmOverCurrent);
    EXPECT_EQ(e[1], read1(client.get(), 300));
    EXPECT_EQ((uint32_t(e[2]) << 16) | e[3], 1u); // one operating minute

    // In the fault state the relay refuses a start; 55 resets it.
    EXPECT_EQ(modbus_write_register(client.get(), 237, 2), -1);
    EXPECT_EQ(lastException(), 3);
    EXPECT_EQ(modbus_write_register(client.get(), 237, 55), 1);
    EXPECT_EQ(read1(client.get(), 240) & r::StatusFault, 0);
    EXPECT_EQ(read1(client.get(), 241), 0);
}

TEST_F(TcpSim, RestartCommandGoesSilentThenComesBackWithSettings)
{
    ASSERT_EQ(modbus_write_register(client.get(), 153, 120), 1);
    EXPECT_EQ(modbus_write_register(client.get(), 237, 88), 1); // the command itself is answered
    modbus_set_response_timeout(client.get(), 0, 200000);
    EXPECT_EQ(read1(client.get(), 217), -1);
    EXPECT_EQ(errno, ETIMEDOUT);
    ASSERT_TRUE(waitAnswering(sim, std::chrono::milliseconds(5000)));
    modbus_flush(client.get());
    modbus_set_response_timeout(client.get(), 1, 0);
    // A late reply to nothing may not come; the next read is answered normally.
    int v = -1;
    for (int i = 0; i < 3 && v < 0; ++i)
        v = read1(client.get(), 153);
    EXPECT_EQ(v, 120);
    EXPECT_EQ(read1(client.get(), 240) & r::StatusMotorRelay, 0);
}

TEST_F(TcpSim, SilenceAndFailedRegisters)
{
    sim.silenceFor(60000);
    modbus_set_response_timeout(client.get(), 0, 200000);
    EXPECT_EQ(read1(client.get(), 217), -1);
    EXPECT_EQ(modbus_write_register(client.get(), 153, 90), -1);
    sim.silenceFor(0);
    modbus_flush(client.get());
    EXPECT_EQ(read1(client.get(), 153), 60) << "a write while silent must not be applied";

    sim.failRegister(217, 4);
    EXPECT_EQ(read1(client.get(), 217), -1);
    EXPECT_EQ(lastException(), 4);
    EXPECT_EQ(modbus_write_register(client.get(), 217, 1), -1);
    EXPECT_EQ(lastException(), 4);
    uint16_t block[3];
    EXPECT_EQ(modbus_read_registers(client.get(), 216, 3, block), -1) << "a block that holds the register fails";
    sim.failRegister(217, 0);
    EXPECT_EQ(read1(client.get(), 217), 55);
}

TEST_F(TcpSim, RequestShapesLibmodbusRefuses)
{
    uint16_t block[130];
    // Counts outside 1..125.
    EXPECT_EQ(modbus_read_registers(client.get(), 100, 126, block), -1);
    // Other functions answer as libmodbus answers them.
    uint8_t bits[8];
    EXPECT_EQ(modbus_read_bits(client.get(), 0, 8, bits), -1);
    EXPECT_EQ(lastException(), MODBUS_EXCEPTION_ILLEGAL_DATA_ADDRESS);
    EXPECT_EQ(modbus_read_input_registers(client.get(), 100, 1, block), -1);
    EXPECT_EQ(lastException(), MODBUS_EXCEPTION_ILLEGAL_DATA_ADDRESS);
    const uint16_t two[2] = {1, 2};
    EXPECT_EQ(modbus_write_registers(client.get(), 153, 2, two), -1);
    EXPECT_EQ(lastException(), MODBUS_EXCEPTION_ILLEGAL_DATA_ADDRESS);
    uint8_t raw[] = {1, 0x41}; // a function no one knows
    ASSERT_GT(modbus_send_raw_request(client.get(), raw, 2), 0);
    uint8_t rsp[MODBUS_TCP_MAX_ADU_LENGTH];
    ASSERT_GT(modbus_receive_confirmation(client.get(), rsp), 0);
    EXPECT_EQ(rsp[7], 0x41 | 0x80);
    EXPECT_EQ(rsp[8], MODBUS_EXCEPTION_ILLEGAL_FUNCTION);
    EXPECT_EQ(read1(client.get(), 217), 55);
}

int rawConnect(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(uint16_t(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

TEST_F(TcpSim, ManyClientsAndBadClientsAtOnce)
{
    std::atomic<int> good{0}, bad{0};
    std::vector<std::thread> threads;
    for (int c = 0; c < 4; ++c) {
        threads.emplace_back([&] {
            auto ctx = tcpClient(port, 2000);
            if (!ctx) {
                ++bad;
                return;
            }
            for (int i = 0; i < 40; ++i) {
                uint16_t block[10];
                if (modbus_read_registers(ctx.get(), 100, 10, block) == 10 && read1(ctx.get(), 217) == 55)
                    ++good;
                else
                    ++bad;
            }
        });
    }
    // Meanwhile: garbage, a cut frame, a frame claiming a huge length, a client that vanishes.
    threads.emplace_back([&] {
        const std::vector<std::vector<uint8_t>> junk = {
            {0xDE, 0xAD, 0xBE, 0xEF, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07},
            {0x00, 0x01, 0x00, 0x00, 0x00},
            {0x00, 0x01, 0x00, 0x00, 0xFF, 0xFF, 0x01, 0x03},
            {0x00, 0x01, 0x00, 0x00, 0x00, 0x06, 0x01, 0x03, 0x00, 0xD9, 0x00, 0x01}, // fine, then gone
        };
        for (int round = 0; round < 3; ++round)
            for (const auto& bytes : junk) {
                const int fd = rawConnect(port);
                if (fd < 0)
                    continue;
                (void)!write(fd, bytes.data(), bytes.size());
                close(fd);
            }
    });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(good.load(), 160);
    EXPECT_EQ(bad.load(), 0);
    EXPECT_EQ(read1(client.get(), 217), 55);
}

TEST(SimTcp, VersionAndAddressOptions)
{
    SimOptions o;
    o.version = 9;
    o.address = 7;
    RelaySimulator sim(o);
    const int port = sim.startTcp("127.0.0.1", 0);
    ASSERT_GT(port, 0);
    auto c = tcpClient(port);
    ASSERT_TRUE(c);
    EXPECT_EQ(read1(c.get(), 217), 9);
    EXPECT_EQ(read1(c.get(), 212), 7);
    EXPECT_EQ(read1(c.get(), 219), -1); // version 9 has registers 150 to 218 only
    EXPECT_EQ(sim.version(), 9);
}

TEST(SimTcp, StartFailsOnAPortInUseAndStopsCleanly)
{
    RelaySimulator a, b;
    const int port = a.startTcp("127.0.0.1", 0);
    ASSERT_GT(port, 0);
    EXPECT_EQ(b.startTcp("127.0.0.1", port), -1);
    EXPECT_EQ(b.startTcp("not-an-address", 0), -1);
    a.stop();
    a.stop();
}

// ------------------------------------------------------------------ RTU

struct RtuSim : ::testing::Test {
    RelaySimulator sim;
    std::string path;
    void SetUp() override
    {
        sim.freeze(true);
        path = sim.startRtuPty();
        ASSERT_FALSE(path.empty());
    }
};

TEST_F(RtuSim, ReadsWritesAndExceptions)
{
    auto c = rtuClient(path);
    ASSERT_TRUE(c);
    EXPECT_EQ(read1(c.get(), 217), 55);
    uint16_t block[10];
    EXPECT_EQ(modbus_read_registers(c.get(), 100, 10, block), 10);
    EXPECT_EQ(modbus_write_register(c.get(), 153, 90), 1);
    EXPECT_EQ(read1(c.get(), 153), 90);
    EXPECT_EQ(modbus_write_register(c.get(), 153, 9), -1);
    EXPECT_EQ(lastException(), 3);
    EXPECT_EQ(read1(c.get(), 148), -1);
    EXPECT_EQ(lastException(), 2);
}

TEST_F(RtuSim, OtherAddressesAndGarbageAreIgnored)
{
    {
        auto other = rtuClient(path, 2, 300);
        ASSERT_TRUE(other);
        EXPECT_EQ(read1(other.get(), 217), -1);
        EXPECT_EQ(errno, ETIMEDOUT);
    }
    {
        const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(fd, 0);
        const uint8_t junk[] = {0x01, 0x03, 0x00, 0xD9, 0x00, 0x01, 0x00, 0x00, // bad CRC
                                0xFF, 0xFF, 0x42, 0x01, 0x03};                  // noise, cut frame
        (void)!write(fd, junk, sizeof junk);
        close(fd);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // let the server drop the junk
    auto c = rtuClient(path);
    ASSERT_TRUE(c);
    int v = -1;
    for (int i = 0; i < 3 && v < 0; ++i)
        v = read1(c.get(), 217);
    EXPECT_EQ(v, 55);
}

TEST_F(RtuSim, ClientsComeAndGo)
{
    for (int i = 0; i < 3; ++i) {
        auto c = rtuClient(path);
        ASSERT_TRUE(c);
        EXPECT_EQ(read1(c.get(), 217), 55) << "client " << i;
    }
}

TEST(SimRtu, LineDelayStillAnswers)
{
    SimOptions o;
    o.lineDelay = true;
    o.baud = 19200;
    RelaySimulator sim(o);
    const std::string path = sim.startRtuPty();
    ASSERT_FALSE(path.empty());
    auto c = rtuClient(path);
    ASSERT_TRUE(c);
    uint16_t block[10];
    EXPECT_EQ(modbus_read_registers(c.get(), 100, 10, block), 10);
}

TEST(SimRtu, LineTime)
{
    // Read of 10 registers at 9600 Bd: 8 + 25 bytes and two 3.5-character gaps, 11 bits each.
    EXPECT_DOUBLE_EQ(lineSeconds(8, 25, 9600), 40.0 * 11.0 / 9600.0);
    EXPECT_DOUBLE_EQ(lineSeconds(8, 8, 19200), 23.0 * 11.0 / 19200.0);
    EXPECT_EQ(lineSeconds(8, 8, 0), 0.0);
}

TEST(SimClock, ModelRunsOnItsOwnUntilFrozen)
{
    SimOptions o;
    o.commissioned = true;
    RelaySimulator sim(o);
    const auto minutesBefore = sim.status().modelSeconds;
    for (int i = 0; i < 100 && sim.status().modelSeconds <= minutesBefore; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_GT(sim.status().modelSeconds, minutesBefore);
    sim.freeze(true);
    const double frozenAt = sim.status().modelSeconds;
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_EQ(sim.status().modelSeconds, frozenAt);
    sim.advanceSeconds(2.0);
    EXPECT_NEAR(sim.status().modelSeconds, frozenAt + 2.0, 1e-6);
}

} // namespace
