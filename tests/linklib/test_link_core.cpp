// The transaction core, frames, CRC and ticket queue, driven directly.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "crc.h"
#include "relvo7link.h"
#include "rtu.h"
#include "support/fake_transport.h"
#include "tcp.h"
#include "transaction.h"
#include "transaction_queue.h"

namespace {

using namespace relvo7link;
using fake_transport::Bytes;

TEST(Crc, CheckValueOfTheNineDigits)
{
    const uint8_t digits[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(crc16Modbus(digits, sizeof digits), 0x4B37);
}

TEST(Frames, RtuRequests)
{
    uint8_t frame[kRtuRequestSize];
    buildRtuRequest(Request{0x03, 1, 100, 10, nullptr, 0}, frame);
    EXPECT_EQ(Bytes(frame, frame + 8), (Bytes{0x01, 0x03, 0x00, 0x64, 0x00, 0x0A, 0x84, 0x12}));
    buildRtuRequest(Request{0x03, 1, 217, 1, nullptr, 0}, frame);
    EXPECT_EQ(Bytes(frame, frame + 8), (Bytes{0x01, 0x03, 0x00, 0xD9, 0x00, 0x01, 0x55, 0xF1}));
}

TEST(Frames, TransactionIdStartsAtOneAndWrapsAfter65535)
{
    EXPECT_EQ(nextTransactionId(), 1);
    for (int i = 2; i <= 65535; ++i)
        ASSERT_EQ(nextTransactionId(), i);
    EXPECT_EQ(nextTransactionId(), 0);
    EXPECT_EQ(nextTransactionId(), 1);
}

Bytes rtuReadReply()
{
    Bytes f{0x01, 0x03, 0x04, 0x11, 0x22, 0x33, 0x44};
    const uint16_t crc = crc16Modbus(f.data(), f.size());
    f.push_back(static_cast<uint8_t>(crc));
    f.push_back(static_cast<uint8_t>(crc >> 8));
    return f;
}

// However a correct reply is cut into pieces, the result is the same.
TEST(Core, RtuReplyInAnyPiecesGivesTheData)
{
    const Bytes reply = rtuReadReply();
    for (size_t cut = 1; cut < reply.size(); ++cut) {
        fake_transport::reset({true, 0, {Bytes(reply.begin(), reply.begin() + cut), Bytes(reply.begin() + cut, reply.end())}});
        uint8_t buffer[8] = {};
        const Transport t = fake_transport::transport(Framing::Rtu);
        ASSERT_EQ(runTransaction(t, Request{0x03, 1, 0, 2, buffer, sizeof buffer}, 1000), 4) << cut;
        EXPECT_EQ(buffer[3], 0x44);
    }
}

TEST(Core, TcpReplyInAnyPiecesGivesTheData)
{
    const Bytes reply{0, 0, 0, 0, 0, 7, 1, 0x03, 0x04, 0x11, 0x22, 0x33, 0x44};
    for (size_t cut = 2; cut < reply.size(); ++cut) {
        fake_transport::Script s{true, 0, {Bytes(reply.begin(), reply.begin() + cut), Bytes(reply.begin() + cut, reply.end())}, true};
        fake_transport::reset(s);
        uint8_t buffer[4] = {};
        const Transport t = fake_transport::transport(Framing::Tcp);
        ASSERT_EQ(runTransaction(t, Request{0x03, 1, 0, 2, buffer, sizeof buffer}, 1000), 4) << cut;
        EXPECT_EQ(buffer[0], 0x11);
    }
}

TEST(Core, TransportNotOpenLeavesTheDeviceErrorAlone)
{
    deviceError = 9;
    fake_transport::reset({false, 0, {}});
    const Transport t = fake_transport::transport(Framing::Tcp);
    EXPECT_EQ(runTransaction(t, Request{0x06, 1, 0, 2, nullptr, 0}, 1000), MODBUS_ERR_CLOSED);
    EXPECT_EQ(deviceError.load(), 9u);
    EXPECT_TRUE(fake_transport::sent.empty());
}

TEST(Core, SendFailureIsTheResult)
{
    fake_transport::reset({true, MODBUS_ERR_IO, {}});
    const Transport t = fake_transport::transport(Framing::Rtu);
    EXPECT_EQ(runTransaction(t, Request{0x06, 1, 0, 2, nullptr, 0}, 1000), MODBUS_ERR_IO);
    EXPECT_EQ(deviceError.load(), 0u);
}

TEST(Core, RtuOverflowOfTheReceiveArea)
{
    fake_transport::reset({true, 0, {Bytes{0x01}, Bytes(1023, 0x03)}});
    uint8_t buffer[8];
    const Transport t = fake_transport::transport(Framing::Rtu);
    EXPECT_EQ(runTransaction(t, Request{0x03, 1, 0, 2, buffer, sizeof buffer}, 1000), MODBUS_ERR_OVERFLOW);
}

TEST(TicketQueue, CountersRunTo30000ThenStartAgain)
{
    TransactionQueue q;
    for (int i = 0; i <= TransactionQueue::kLastTicket; ++i) {
        ASSERT_EQ(q.takeTicket(), i);
        q.waitTurn(i);
        q.finish();
    }
    EXPECT_EQ(q.nextTicket(), 0);
    EXPECT_EQ(q.nowServing(), 0);
    EXPECT_EQ(q.takeTicket(), 0);
}

// Waiters run in ticket order, one at a time, and every one gets its turn,
// also when a reset comes while they wait (it leaves busy counters alone).
TEST(TicketQueue, ServesInTicketOrderAcrossAReset)
{
    TransactionQueue q;
    constexpr int kWaiters = 8;
    std::vector<int32_t> tickets;
    for (int i = 0; i < kWaiters; ++i)
        tickets.push_back(q.takeTicket());
    std::mutex m;
    std::vector<int32_t> served;
    std::atomic<int> running{0};
    std::atomic<bool> overlap{false};
    std::vector<std::thread> threads;
    for (int i = kWaiters - 1; i >= 0; --i) {   // started in reverse: order must come from the tickets
        threads.emplace_back([&, i] {
            q.waitTurn(tickets[i]);
            if (running.fetch_add(1) != 0)
                overlap = true;
            {
                std::lock_guard lock(m);
                served.push_back(tickets[i]);
            }
            running.fetch_sub(1);
            q.finish();
        });
    }
    q.resetIfIdle();   // tickets are out: no effect
    for (auto& t : threads)
        t.join();
    EXPECT_FALSE(overlap);
    EXPECT_EQ(served, tickets);
    q.resetIfIdle();
    EXPECT_EQ(q.nextTicket(), 0);
    EXPECT_EQ(q.nowServing(), 0);
}

}  // namespace
