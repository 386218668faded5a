// Modbus TCP transactions against a scripted peer on a loopback socket that
// answers with exact bytes: stale and foreign frames, malformed lengths,
// garbage, and a peer that goes away.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

#include "link_fixture.h"
#include "support/peers.h"

namespace {

using namespace std::chrono_literals;

// MBAP frame: transaction id, protocol id, length (= pdu size + 1), unit, pdu.
Bytes mbap(uint16_t tid, uint8_t unit, const Bytes& pdu, uint16_t protocol = 0, int length = -1)
{
    const uint16_t len = length >= 0 ? static_cast<uint16_t>(length) : static_cast<uint16_t>(pdu.size() + 1);
    Bytes f{static_cast<uint8_t>(tid >> 8), static_cast<uint8_t>(tid), static_cast<uint8_t>(protocol >> 8),
            static_cast<uint8_t>(protocol), static_cast<uint8_t>(len >> 8), static_cast<uint8_t>(len), unit};
    f.insert(f.end(), pdu.begin(), pdu.end());
    return f;
}

Bytes readPdu(uint8_t byteCount, uint8_t first = 0x10)
{
    Bytes pdu{0x03, byteCount};
    for (uint8_t i = 0; i < byteCount; ++i)
        pdu.push_back(static_cast<uint8_t>(first + i));
    return pdu;
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class TcpPeerTest : public LinkTest {
protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        DLL_SetIOTimeout(300);
        ASSERT_EQ(openTcp(listener_.port()), 0);
        peer_ = listener_.accept(2000ms);
        ASSERT_GE(peer_, 0);
    }
    void TearDown() override
    {
        LinkTest::TearDown();
        if (peer_ >= 0)
            close(peer_);
    }

    // The peer reads the 12-byte request and answers with reply(transaction id).
    Bytes exchange(const std::function<Bytes(uint16_t)>& reply, const std::function<void()>& call)
    {
        Bytes request;
        std::thread device([&] {
            request = readBytes(peer_, 12);
            if (request.size() == 12)
                writeBytes(peer_, reply(static_cast<uint16_t>(request[0] << 8 | request[1])));
        });
        call();
        device.join();
        return request;
    }

    int read10(uint8_t* buffer, uint32_t size, const std::function<Bytes(uint16_t)>& reply)
    {
        int rc = 0;
        exchange(reply, [&] { rc = MODBUS_Read03(1, 100, 10, buffer, size); });
        return rc;
    }

    TcpListener listener_;
    int peer_ = -1;
};

TEST_F(TcpPeerTest, ReadReturnsTheDataAndAcceptsABufferOfExactlyTheByteCount)
{
    uint8_t buffer[20];
    const Bytes request = exchange([](uint16_t tid) { return mbap(tid, 1, readPdu(20)); }, [&] {
        EXPECT_EQ(MODBUS_Read03(1, 100, 10, buffer, sizeof buffer), 20);
    });
    ASSERT_EQ(request.size(), 12u);
    EXPECT_EQ(Bytes(request.begin() + 2, request.end()), (Bytes{0, 0, 0, 6, 1, 3, 0, 0x64, 0, 0x0A}));
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(buffer[i], 0x10 + i);
}

TEST_F(TcpPeerTest, TransactionIdAdvancesByOnePerRequest)
{
    uint8_t buffer[32];
    uint16_t first = 0, second = 0;
    exchange([&](uint16_t tid) { first = tid; return mbap(tid, 1, readPdu(2)); },
             [&] { MODBUS_Read03(1, 0, 1, buffer, sizeof buffer); });
    const int32_t value = 5;
    exchange([&](uint16_t tid) { second = tid; return mbap(tid, 1, {0x06, 0, 1, 0, 5}); },
             [&] { EXPECT_EQ(MODBUS_Write06(1, 1, &value), 1); });
    EXPECT_EQ(static_cast<uint16_t>(first + 1), second);
}

struct TcpReadCase {
    const char* name;
    std::function<Bytes(uint16_t)> reply;
    uint32_t bufferSize;
    int result;
    uint8_t firstByte;   // buffer[0] afterwards (0xEE: untouched)
};

class TcpReadReplies : public TcpPeerTest, public ::testing::WithParamInterface<TcpReadCase> {};

TEST_P(TcpReadReplies, GiveTheirResult)
{
    const TcpReadCase& c = GetParam();
    uint8_t buffer[64];
    std::fill(std::begin(buffer), std::end(buffer), 0xEE);
    EXPECT_EQ(read10(buffer, c.bufferSize, c.reply), c.result);
    EXPECT_EQ(buffer[0], c.firstByte);
    // Whatever happened, the connection still serves the next call.
    EXPECT_EQ(read10(buffer, 64, [](uint16_t tid) { return mbap(tid, 1, readPdu(20)); }), 20);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TcpReadReplies,
    ::testing::Values(
        TcpReadCase{"ByteCountBeyondBuffer", [](uint16_t t) { return mbap(t, 1, readPdu(20)); }, 19,
                    LINK_ERR_LENGTH, 0xEE},
        TcpReadCase{"OtherUnit", [](uint16_t t) { return mbap(t, 2, readPdu(20)); }, 64, MODBUS_ERR_ANSWER,
                    0xEE},
        // A late reply to the previous request, then the right one, in one chunk.
        TcpReadCase{"LateReplySkipped",
                    [](uint16_t t) {
                        return mbap(static_cast<uint16_t>(t - 1), 1, readPdu(20, 0x80)) + mbap(t, 1, readPdu(20));
                    },
                    64, 20, 0x10},
        TcpReadCase{"ProtocolOneSkipped", [](uint16_t t) { return mbap(t, 1, readPdu(20), 1); }, 64,
                    MODBUS_ERR_TIMEOUT, 0xEE},
        // The byte count claims 20 data bytes but the length field holds only
        // one: the bytes after the frame are not its data.
        TcpReadCase{"ByteCountPastLengthField",
                    [](uint16_t t) { return mbap(t, 1, {0x03, 20, 0xAA}) + Bytes(30, 0xBB); }, 64,
                    MODBUS_ERR_TIMEOUT, 0xEE},
        TcpReadCase{"ByteCountPastWhatArrived",
                    [](uint16_t t) { return mbap(t, 1, readPdu(20), 0, 25); }, 64, MODBUS_ERR_TIMEOUT, 0xEE},
        TcpReadCase{"FrameShorterThanItsLength",
                    [](uint16_t t) { return mbap(t, 1, {0x03, 4, 1, 2}, 0, 7); }, 64, MODBUS_ERR_TIMEOUT, 0xEE},
        TcpReadCase{"HugeLengthFieldsOfForeignFrames",
                    [](uint16_t t) {
                        return mbap(static_cast<uint16_t>(t + 7), 1, {0x03}, 0, 0xFFFF) + Bytes(200, 0xFF);
                    },
                    64, MODBUS_ERR_TIMEOUT, 0xEE},
        TcpReadCase{"LengthZero", [](uint16_t t) { return mbap(t, 1, {}, 0, 0) + Bytes(5, 0); }, 64,
                    MODBUS_ERR_TIMEOUT, 0xEE},
        TcpReadCase{"Exception", [](uint16_t t) { return mbap(t, 1, {0x83, 0x02}); }, 64, MODBUS_ERR_EXCEPTION,
                    0xEE},
        TcpReadCase{"NoReply", [](uint16_t) { return Bytes{}; }, 64, MODBUS_ERR_TIMEOUT, 0xEE}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TcpPeerTest, ExceptionCodeIsKeptUntilTheNextTransaction)
{
    uint8_t buffer[64];
    EXPECT_EQ(read10(buffer, 64, [](uint16_t t) { return mbap(t, 1, {0x83, 0x02}); }), MODBUS_ERR_EXCEPTION);
    EXPECT_EQ(MODBUS_GetDeviceError(), 2u);
    EXPECT_EQ(read10(buffer, 64, [](uint16_t t) { return mbap(t, 1, readPdu(20)); }), 20);
    EXPECT_EQ(MODBUS_GetDeviceError(), 0u);
}

TEST_F(TcpPeerTest, WriteEchoIsChecked)
{
    const int32_t value = 0x0102;
    int rc = 0;
    const Bytes request = exchange([](uint16_t t) { return mbap(t, 1, {0x06, 0x00, 0xED, 0x01, 0x02}); },
                                   [&] { rc = MODBUS_Write06(1, 237, &value); });
    EXPECT_EQ(Bytes(request.begin() + 2, request.end()), (Bytes{0, 0, 0, 6, 1, 6, 0, 0xED, 1, 2}));
    EXPECT_EQ(rc, 1);
    exchange([](uint16_t t) { return mbap(t, 1, {0x06, 0x00, 0xED, 0x01, 0x03}); },
             [&] { rc = MODBUS_Write06(1, 237, &value); });
    EXPECT_EQ(rc, MODBUS_ERR_ECHO);
    // An echo cut short by its own length field is not an echo.
    exchange([](uint16_t t) { return mbap(t, 1, {0x06, 0x00, 0xED}) + Bytes{0x01, 0x02}; },
             [&] { rc = MODBUS_Write06(1, 237, &value); });
    EXPECT_EQ(rc, MODBUS_ERR_TIMEOUT);
}

// A peer sending garbage without pause never makes the library read or write
// outside its areas, and the call ends by its deadline.
TEST_F(TcpPeerTest, EndlessGarbageEndsInAFailure)
{
    std::atomic<bool> stop{false};
    std::thread flood([&] {
        uint8_t junk[512];
        for (int i = 0; i < 512; ++i)
            junk[i] = static_cast<uint8_t>(i * 37 + 11);
        const auto end = std::chrono::steady_clock::now() + 2s;
        while (!stop && std::chrono::steady_clock::now() < end)
            if (send(peer_, junk, sizeof junk, MSG_NOSIGNAL | MSG_DONTWAIT) < 0)
                std::this_thread::sleep_for(1ms);
    });
    uint8_t buffer[256] = {};
    const int rc = MODBUS_Read03(1, 100, 10, buffer, sizeof buffer);
    stop = true;
    flood.join();
    EXPECT_TRUE(rc == MODBUS_ERR_TIMEOUT || rc == MODBUS_ERR_ANSWER) << rc;
}

// A peer that closes the connection: the calls fail (no SIGPIPE kills the
// process), the failed send closes the transport, and then nothing is selected.
TEST_F(TcpPeerTest, PeerClosingTheConnectionNeverKillsTheCaller)
{
    close(peer_);
    peer_ = -1;
    uint8_t buffer[64];
    int rc = 0;
    bool sawClosed = false;
    for (int i = 0; i < 10 && rc != MODBUS_ERR_IO; ++i) {
        rc = MODBUS_Read03(1, 100, 10, buffer, sizeof buffer);
        EXPECT_TRUE(rc == MODBUS_ERR_TIMEOUT || rc == MODBUS_ERR_CLOSED || rc == MODBUS_ERR_IO) << rc;
        sawClosed = sawClosed || rc == MODBUS_ERR_CLOSED;
    }
    EXPECT_TRUE(sawClosed);
    EXPECT_EQ(rc, MODBUS_ERR_IO);
    EXPECT_EQ(TCP_IsOpen(), 0);
    const int32_t value = 1;
    EXPECT_EQ(MODBUS_Write06(1, 1, &value), MODBUS_ERR_IO);
}

TEST_F(LinkTest, TcpOpenToAClosedPortLeavesTheSocketButNoTransport)
{
    EXPECT_EQ(openTcp(closedPort()), TCP_ERR_CONNECT);
    EXPECT_EQ(TCP_IsOpen(), 1);
    uint8_t buffer[8];
    EXPECT_EQ(MODBUS_Read03(1, 217, 1, buffer, sizeof buffer), MODBUS_ERR_IO);
    EXPECT_EQ(TCP_Close(), 0);
    EXPECT_EQ(TCP_IsOpen(), 0);
    EXPECT_EQ(TCP_Close(), 0);
}

TEST_F(LinkTest, TcpOpenRefusesMissingOrUnparsableAddresses)
{
    EXPECT_EQ(TCP_Open(nullptr, 502), TCP_ERR_SOCKET);
    EXPECT_EQ(TCP_IsOpen(), 0);
    EXPECT_EQ(TCP_Open(u"relay.local", 502), TCP_ERR_CONNECT);
    EXPECT_EQ(TCP_Open(u"", 502), TCP_ERR_CONNECT);
    EXPECT_EQ(TCP_Close(), 0);
}

TEST_F(LinkTest, SocketTimeoutsComeFromTheTimeoutAtOpen)
{
    TcpListener listener;
    DLL_SetIOTimeout(500);
    ASSERT_EQ(openTcp(listener.port()), 0);
    const int fd = findConnectedSocket(listener.port());
    ASSERT_GE(fd, 0);
    // The kernel keeps socket time-outs in clock ticks: allow one tick of rounding.
    EXPECT_NEAR(receiveTimeoutMs(fd), 500, 10);
    EXPECT_NEAR(sendTimeoutMs(fd), 500, 10);
    DLL_SetIOTimeout(1500);   // later changes reach only the transaction deadlines
    EXPECT_NEAR(receiveTimeoutMs(fd), 500, 10);
}

}  // namespace
