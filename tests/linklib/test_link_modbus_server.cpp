// The link library against a real Modbus server (libmodbus) over TCP loopback
// and over RTU on a pseudo-terminal.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "link_fixture.h"
#include "support/modbus_test_server.h"
#include "support/peers.h"

namespace {

enum class Line { Tcp, Rtu };

class ServerLinkTest : public LinkTest, public ::testing::WithParamInterface<Line> {
protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        if (GetParam() == Line::Tcp) {
            server_ = std::make_unique<ModbusTestServer>(ModbusTestServer::tcp());
            server_->start();
            ASSERT_EQ(openTcp(server_->port()), 0);
        } else {
            server_ = std::make_unique<ModbusTestServer>(ModbusTestServer::rtu(pty_.master()));
            server_->start();
            ASSERT_EQ(openSerial(pty_.slavePath16()), 0);
        }
    }
    void TearDown() override
    {
        LinkTest::TearDown();
        server_->stop();
    }

    PtyPair pty_;
    std::unique_ptr<ModbusTestServer> server_;
};

TEST_P(ServerLinkTest, ReadsGiveTheServersRegisters)
{
    uint8_t buffer[64] = {};
    ASSERT_EQ(MODBUS_Read03(1, 100, 10, buffer, sizeof buffer), 20);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(reg(buffer, i), ModbusTestServer::valueOf(static_cast<uint16_t>(100 + i))) << i;

    ASSERT_EQ(MODBUS_Read03(1, 217, 1, buffer, sizeof buffer), 2);
    EXPECT_EQ(reg(buffer, 0), ModbusTestServer::valueOf(217));
}

TEST_P(ServerLinkTest, WriteStoresTheValueAndReadsBack)
{
    const int32_t value = 0x1234;
    ASSERT_EQ(MODBUS_Write06(1, 237, &value), 1);
    uint8_t buffer[8] = {};
    ASSERT_EQ(MODBUS_Read03(1, 237, 1, buffer, sizeof buffer), 2);
    EXPECT_EQ(reg(buffer, 0), 0x1234);

    // Only bits 0..15 of the value travel.
    const int32_t wide = 0x7FFF0055;
    ASSERT_EQ(MODBUS_Write06(1, 237, &wide), 1);
    ASSERT_EQ(MODBUS_Read03(1, 237, 1, buffer, sizeof buffer), 2);
    EXPECT_EQ(reg(buffer, 0), 0x0055);
}

TEST_P(ServerLinkTest, ExceptionFromTheServerCarriesItsCode)
{
    uint8_t buffer[16] = {0xAA};
    // Register 995 + 10 lies beyond the server's 1000 registers: illegal data address.
    EXPECT_EQ(MODBUS_Read03(1, 995, 10, buffer, sizeof buffer), MODBUS_ERR_EXCEPTION);
    EXPECT_EQ(MODBUS_GetDeviceError(), 2u);
    EXPECT_EQ(buffer[0], 0xAA);   // nothing written on failure
    ASSERT_EQ(MODBUS_Read03(1, 0, 1, buffer, sizeof buffer), 2);
    EXPECT_EQ(MODBUS_GetDeviceError(), 0u);
}

// Several threads at once: frames never interleave (each reply matches its
// own request), and every call gets through.
TEST_P(ServerLinkTest, ConcurrentCallersEachGetTheirOwnReply)
{
    constexpr int kThreads = 4;
    constexpr int kCalls = 25;
    std::atomic<int> wrong{0};
    std::atomic<int> failed{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            const uint16_t own = static_cast<uint16_t>(500 + t);
            for (int i = 0; i < kCalls; ++i) {
                const int32_t value = t * 1000 + i;
                if (MODBUS_Write06(1, own, &value) != 1) {
                    ++failed;
                    continue;
                }
                uint8_t buffer[32] = {};
                const uint16_t first = static_cast<uint16_t>(100 + 10 * t);
                if (MODBUS_Read03(1, first, 10, buffer, sizeof buffer) != 20) {
                    ++failed;
                    continue;
                }
                for (int r = 0; r < 10; ++r)
                    if (reg(buffer, r) != ModbusTestServer::valueOf(static_cast<uint16_t>(first + r)))
                        ++wrong;
                if (MODBUS_Read03(1, own, 1, buffer, sizeof buffer) != 2 || reg(buffer, 0) != value)
                    ++wrong;
            }
        });
    }
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(failed.load(), 0);
    EXPECT_EQ(wrong.load(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothLines, ServerLinkTest, ::testing::Values(Line::Tcp, Line::Rtu),
                         [](const auto& info) { return info.param == Line::Tcp ? "Tcp" : "Rtu"; });

// The transport opened last carries the calls; closing either one leaves none selected.
TEST_F(LinkTest, TransportOpenedLastCarriesTheCalls)
{
    PtyPair pty;
    ModbusTestServer tcpServer = ModbusTestServer::tcp();
    ModbusTestServer rtuServer = ModbusTestServer::rtu(pty.master());
    tcpServer.start();
    rtuServer.start();

    ASSERT_EQ(openTcp(tcpServer.port()), 0);
    const int32_t overTcp = 111;
    ASSERT_EQ(MODBUS_Write06(1, 10, &overTcp), 1);

    ASSERT_EQ(openSerial(pty.slavePath16()), 0);
    EXPECT_EQ(TCP_IsOpen(), 1);
    const int32_t overSerial = 222;
    ASSERT_EQ(MODBUS_Write06(1, 11, &overSerial), 1);

    ASSERT_EQ(openTcp(tcpServer.port()), 0);   // reopening TCP selects it again
    EXPECT_EQ(COM_IsOpen(), 1);
    const int32_t againTcp = 333;
    ASSERT_EQ(MODBUS_Write06(1, 12, &againTcp), 1);

    COM_Close();   // closes the port that is not selected, and still deselects TCP
    EXPECT_EQ(TCP_IsOpen(), 1);
    uint8_t buffer[8];
    EXPECT_EQ(MODBUS_Read03(1, 10, 1, buffer, sizeof buffer), MODBUS_ERR_IO);
    EXPECT_EQ(MODBUS_Write06(1, 10, &overTcp), MODBUS_ERR_IO);

    TCP_Close();
    tcpServer.stop();
    rtuServer.stop();
    EXPECT_EQ(tcpServer.holding(10), 111);
    EXPECT_EQ(tcpServer.holding(11), ModbusTestServer::valueOf(11));
    EXPECT_EQ(tcpServer.holding(12), 333);
    EXPECT_EQ(rtuServer.holding(10), ModbusTestServer::valueOf(10));
    EXPECT_EQ(rtuServer.holding(11), 222);
    EXPECT_EQ(rtuServer.holding(12), ModbusTestServer::valueOf(12));
}

}  // namespace
