// Modbus RTU transactions against a scripted device on a pseudo-terminal that
// answers with exact bytes, including every kind of wrong reply.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "link_fixture.h"
#include "support/peers.h"

namespace {

using namespace std::chrono_literals;

class RtuPeerTest : public LinkTest {
protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        DLL_SetIOTimeout(300);
        ASSERT_EQ(openSerial(pty_.slavePath16()), 0);
    }

    // Runs the device script on the line while the call runs; returns the request seen.
    Bytes exchange(const Bytes& reply, const std::function<void()>& call, size_t requestSize = 8)
    {
        Bytes request;
        std::thread device([&] {
            request = readBytes(pty_.master(), requestSize);
            if (!reply.empty())
                writeBytes(pty_.master(), reply);
        });
        call();
        device.join();
        return request;
    }

    PtyPair pty_;
};

// Reply to "read 10 registers from 100 of device 1": 20 data bytes 0x10..0x23.
Bytes goodReadReply()
{
    Bytes frame{0x01, 0x03, 0x14};
    for (uint8_t i = 0; i < 20; ++i)
        frame.push_back(static_cast<uint8_t>(0x10 + i));
    return withCrc(frame);
}

TEST_F(RtuPeerTest, ReadSendsTheExactFrameAndReturnsTheData)
{
    uint8_t buffer[32] = {};
    int rc = 0;
    const Bytes request = exchange(goodReadReply(), [&] { rc = MODBUS_Read03(1, 100, 10, buffer, sizeof buffer); });
    EXPECT_EQ(request, (Bytes{0x01, 0x03, 0x00, 0x64, 0x00, 0x0A, 0x84, 0x12}));
    ASSERT_EQ(rc, 20);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(buffer[i], 0x10 + i);
    EXPECT_EQ(buffer[20], 0);

    const Bytes version = exchange(withCrc({0x01, 0x03, 0x02, 0x00, 0x1F}),
                                   [&] { rc = MODBUS_Read03(1, 217, 1, buffer, sizeof buffer); });
    EXPECT_EQ(version, (Bytes{0x01, 0x03, 0x00, 0xD9, 0x00, 0x01, 0x55, 0xF1}));
    EXPECT_EQ(rc, 2);
    EXPECT_EQ(buffer[1], 0x1F);
}

struct ReadCase {
    const char* name;
    Bytes reply;
    uint32_t bufferSize;
    int result;
    uint32_t deviceError;
};

class RtuReadReplies : public RtuPeerTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(RtuReadReplies, GiveTheirResult)
{
    const ReadCase& c = GetParam();
    uint8_t buffer[64];
    std::fill(std::begin(buffer), std::end(buffer), 0xEE);
    int rc = 0;
    exchange(c.reply, [&] { rc = MODBUS_Read03(1, 100, 10, buffer, c.bufferSize); });
    EXPECT_EQ(rc, c.result);
    EXPECT_EQ(MODBUS_GetDeviceError(), c.deviceError);
    if (rc <= 0) {
        EXPECT_EQ(buffer[0], 0xEE) << "nothing is written on failure";
    }
}

Bytes swappedCrc()
{
    Bytes b = goodReadReply();
    std::swap(b[b.size() - 1], b[b.size() - 2]);
    return b;
}

Bytes withTrailingBytes()
{
    Bytes b = goodReadReply();
    b.insert(b.end(), {0x55, 0x66, 0x77});
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtuReadReplies,
    ::testing::Values(
        ReadCase{"Good", goodReadReply(), 64, 20, 0},
        ReadCase{"BufferOneLargerThanData", goodReadReply(), 21, 20, 0},
        ReadCase{"BufferEqualToByteCountIsRefused", goodReadReply(), 20, LINK_ERR_LENGTH, 0},
        ReadCase{"TrailingBytesIgnored", withTrailingBytes(), 64, 20, 0},
        ReadCase{"SwappedCrc", swappedCrc(), 64, MODBUS_ERR_CRC, 0},
        ReadCase{"Exception", withCrc({0x01, 0x83, 0x02}), 64, MODBUS_ERR_EXCEPTION, 2},
        ReadCase{"ExceptionWithBadCrc", Bytes{0x01, 0x83, 0x02, 0x00, 0x00}, 64, MODBUS_ERR_CRC, 0},
        // Three bytes are enough to know the reply is from another device; with
        // nothing more sent, waiting for the rest would end in -102.
        ReadCase{"OtherDeviceAfterThreeBytes", Bytes{0x02, 0x03, 0x14}, 64, MODBUS_ERR_ANSWER, 0},
        ReadCase{"UnexpectedFunction", Bytes{0x01, 0x04, 0x14}, 64, MODBUS_ERR_ANSWER, 0},
        ReadCase{"Truncated", Bytes{0x01, 0x03, 0x14, 0x00, 0x01}, 64, MODBUS_ERR_TIMEOUT, 0},
        ReadCase{"NoReply", Bytes{}, 64, MODBUS_ERR_TIMEOUT, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RtuPeerTest, NoReplyTimesOutAndTheNextCallWorks)
{
    uint8_t buffer[32] = {};
    int rc = 0;
    exchange({}, [&] { rc = MODBUS_Read03(1, 100, 10, buffer, sizeof buffer); });
    EXPECT_EQ(rc, MODBUS_ERR_TIMEOUT);
    exchange(goodReadReply(), [&] { rc = MODBUS_Read03(1, 100, 10, buffer, sizeof buffer); });
    EXPECT_EQ(rc, 20);
}

TEST_F(RtuPeerTest, ReplyArrivingInPiecesIsCollected)
{
    uint8_t buffer[32] = {};
    int rc = 0;
    std::thread device([&] {
        readBytes(pty_.master(), 8);
        const Bytes reply = goodReadReply();
        writeBytes(pty_.master(), Bytes(reply.begin(), reply.begin() + 2));
        std::this_thread::sleep_for(20ms);
        writeBytes(pty_.master(), Bytes(reply.begin() + 2, reply.begin() + 10));
        std::this_thread::sleep_for(20ms);
        writeBytes(pty_.master(), Bytes(reply.begin() + 10, reply.end()));
    });
    rc = MODBUS_Read03(1, 100, 10, buffer, sizeof buffer);
    device.join();
    EXPECT_EQ(rc, 20);
}

TEST_F(RtuPeerTest, WriteEchoIsChecked)
{
    const int32_t value = 0x0102;
    int rc = 0;
    const Bytes echo = withCrc({0x01, 0x06, 0x00, 0xED, 0x01, 0x02});
    const Bytes request = exchange(echo, [&] { rc = MODBUS_Write06(1, 237, &value); });
    EXPECT_EQ(request, echo);
    EXPECT_EQ(rc, 1);

    exchange(withCrc({0x01, 0x06, 0x00, 0xED, 0x01, 0x03}), [&] { rc = MODBUS_Write06(1, 237, &value); });
    EXPECT_EQ(rc, MODBUS_ERR_ECHO);
    exchange(withCrc({0x01, 0x86, 0x03}), [&] { rc = MODBUS_Write06(1, 237, &value); });
    EXPECT_EQ(rc, MODBUS_ERR_EXCEPTION);
    EXPECT_EQ(MODBUS_GetDeviceError(), 3u);
}

// A device that floods the line never makes the library write past its
// receive area; the call ends with a failure.
TEST_F(RtuPeerTest, FloodOfBytesEndsInAFailure)
{
    Bytes flood(3000, 0xFF);
    flood[0] = 0x01;
    flood[1] = 0x03;
    uint8_t buffer[300];
    int rc = 0;
    exchange(flood, [&] { rc = MODBUS_Read03(1, 100, 10, buffer, sizeof buffer); });
    EXPECT_TRUE(rc == MODBUS_ERR_OVERFLOW || rc == MODBUS_ERR_CRC) << rc;

    // The next transaction starts clean (the purge drops what is left).
    exchange(goodReadReply(), [&] { rc = MODBUS_Read03(1, 100, 10, buffer, sizeof buffer); });
    EXPECT_EQ(rc, 20);
}

}  // namespace
