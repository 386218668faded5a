// What a freshly loaded library does: its own process, so that the request
// here is the first one the library ever sends.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <thread>

#include "relvo7link.h"
#include "support/peers.h"

namespace {

using namespace std::chrono_literals;

TEST(FreshLibrary, StartsWithItsLoadValuesAndTransactionIdOne)
{
    EXPECT_EQ(DLL_GetUserFlag(), 0u);
    DLL_SetUserFlag(7);
    EXPECT_EQ(DLL_GetUserFlag(), 7u);
    EXPECT_EQ(COM_IsOpen(), 0);
    EXPECT_EQ(TCP_IsOpen(), 0);
    uint8_t buffer[8];
    EXPECT_EQ(MODBUS_Read03(1, 217, 1, buffer, sizeof buffer), MODBUS_ERR_IO);   // nothing opened

    TcpListener listener;
    ASSERT_EQ(TCP_Open(u"127.0.0.1", listener.port()), 0);
    const int peer = listener.accept(2000ms);
    ASSERT_GE(peer, 0);

    // The socket got the time-out the library has at load: 100 ms.
    const int fd = findConnectedSocket(listener.port());
    ASSERT_GE(fd, 0);
    EXPECT_NEAR(receiveTimeoutMs(fd), 100, 10);
    EXPECT_NEAR(sendTimeoutMs(fd), 100, 10);

    Bytes first, second;
    std::thread device([&] {
        first = readBytes(peer, 12);
        writeBytes(peer, {0x00, 0x01, 0, 0, 0, 5, 0x01, 0x03, 0x02, 0x00, 0x1F});
        second = readBytes(peer, 12);
        writeBytes(peer, {0x00, 0x02, 0, 0, 0, 5, 0x01, 0x03, 0x02, 0x00, 0x20});
    });
    EXPECT_EQ(MODBUS_Read03(1, 217, 1, buffer, sizeof buffer), 2);
    EXPECT_EQ(buffer[1], 0x1F);
    EXPECT_EQ(MODBUS_Read03(1, 217, 1, buffer, sizeof buffer), 2);
    EXPECT_EQ(buffer[1], 0x20);
    device.join();
    EXPECT_EQ(first, (Bytes{0x00, 0x01, 0x00, 0x00, 0x00, 0x06, 0x01, 0x03, 0x00, 0xD9, 0x00, 0x01}));
    EXPECT_EQ(second, (Bytes{0x00, 0x02, 0x00, 0x00, 0x00, 0x06, 0x01, 0x03, 0x00, 0xD9, 0x00, 0x01}));

    // The identifier survives closing and reopening.
    ASSERT_EQ(TCP_Close(), 0);
    close(peer);
    ASSERT_EQ(TCP_Open(u"127.0.0.1", listener.port()), 0);
    const int peer2 = listener.accept(2000ms);
    ASSERT_GE(peer2, 0);
    Bytes third;
    std::thread device2([&] {
        third = readBytes(peer2, 12);
        writeBytes(peer2, {0x00, 0x03, 0, 0, 0, 5, 0x01, 0x03, 0x02, 0x00, 0x21});
    });
    EXPECT_EQ(MODBUS_Read03(1, 217, 1, buffer, sizeof buffer), 2);
    device2.join();
    ASSERT_EQ(third.size(), 12u);
    EXPECT_EQ(third[0], 0x00);
    EXPECT_EQ(third[1], 0x03);
    TCP_Close();
    close(peer2);
}

}  // namespace
