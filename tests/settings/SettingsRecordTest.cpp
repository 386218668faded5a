// The stored form of the settings record: byte layout, defaults, text fields
// and what a damaged value does.
#include "settings/SettingsRecord.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace relvo7 {
namespace {

using Bytes = std::array<std::byte, kSettingsRecordSize>;

Bytes Encode(const SettingsRecord& r)
{
    Bytes out{};
    EncodeSettingsRecord(r, out);
    return out;
}

std::vector<int> Slice(const Bytes& b, std::size_t from, std::size_t count)
{
    std::vector<int> v;
    for (std::size_t i = from; i < from + count; ++i)
        v.push_back(int(b[i]));
    return v;
}

TEST(SettingsRecord, DefaultRecordBytes)
{
    const Bytes b = Encode(DefaultSettingsRecord());
    const std::vector<int> head = {0x86, 0x94, 0xA8, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00,
                                   0x01, 0x00, 0x00, 0x00, 0xF6, 0x01, 0x00, 0x00, 0x01, 0x00, 0x00, 0x7F};
    EXPECT_EQ(Slice(b, 0, 24), head);
    const std::vector<int> serial = {0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                     0x02, 0x00, 0x00, 0x00, 0xF4, 0x01, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00};
    EXPECT_EQ(Slice(b, 544, 24), serial);
    // Port name and password empty, options off, graphic style on.
    for (std::size_t i = 24; i < 544; ++i)
        ASSERT_EQ(int(b[i]), 0) << i;
    for (std::size_t i = 584; i < 1104; ++i)
        ASSERT_EQ(int(b[i]), 0) << i;
    EXPECT_EQ(Slice(b, 568, 16), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Slice(b, 1104, 24), std::vector<int>(24, 0));
}

TEST(SettingsRecord, ModbusTcpPortNameIsTenCharactersThenZeros)
{
    SettingsRecord r = DefaultSettingsRecord();
    // A longer name first, so the zeros after "Modbus TCP" are really cleared.
    ASSERT_TRUE(AssignSettingsText(r.szPortName, QStringLiteral("a-much-longer-serial-device-name")));
    ASSERT_TRUE(AssignSettingsText(r.szPortName, QStringLiteral("Modbus TCP")));
    EXPECT_TRUE(IsModbusTcpPort(r));
    const Bytes b = Encode(r);
    const char16_t* expected = u"Modbus TCP";
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(int(b[24 + 2 * i]), int(expected[i] & 0xFF));
        EXPECT_EQ(int(b[25 + 2 * i]), int(expected[i] >> 8));
    }
    for (std::size_t i = 44; i < 544; ++i)
        ASSERT_EQ(int(b[i]), 0) << i;
}

TEST(SettingsRecord, AllFiveScopeBitsAre0x3E)
{
    std::uint32_t scope = 0;
    for (PasswordScope bit : {PasswordScopeStart, PasswordScopeSettings, PasswordScopeParameters,
                              PasswordScopeConnect, PasswordScopeDatabase})
        scope |= bit;
    EXPECT_EQ(scope, 0x3Eu);
    EXPECT_EQ(scope, std::uint32_t(PasswordScopeAll));
}

TEST(SettingsRecord, EncodeDecodeRoundTripKeepsEveryField)
{
    SettingsRecord r = DefaultSettingsRecord();
    r.clrBackground = 0x00123456;
    r.clrText = 0x00ABCDEF;
    r.clrParameter = 0x00010203;
    r.nDeviceAddress = -7;
    r.nTcpPort = 1502;
    r.nIpAddress = 0xC0A80A14;
    AssignSettingsText(r.szPortName, QStringLiteral("ttyUSB3"));
    r.nBaudIndex = 1;
    r.nDataBitsIndex = 2;
    r.nParityIndex = 2;
    r.nStopBitsIndex = 1;
    r.nTimeout = 1234;
    r.nRetries = 9;
    r.bTopMost = r.bAutoStart = r.bPassword = r.bAutoConnect = 1;
    r.bGraphicStyle = 0;
    AssignSettingsText(r.szPassword, QStringLiteral("Zażółć-Gęślą"));
    r.nPasswordScope = 0x2A;
    r.bAnalogTemp1 = r.bAnalogVoltage = 1;
    const Bytes b = Encode(r);
    SettingsRecord back = DefaultSettingsRecord();
    ASSERT_TRUE(DecodeSettingsRecord(b, back));
    EXPECT_EQ(Encode(back), b);
    EXPECT_EQ(SettingsText(back.szPassword), QStringLiteral("Zażółć-Gęślą"));
    EXPECT_EQ(back.nDeviceAddress, -7);
}

TEST(SettingsRecord, WrongLengthsAreIgnored)
{
    const Bytes good = Encode(DefaultSettingsRecord());
    for (std::size_t size : {std::size_t(0), std::size_t(1), std::size_t(1127), std::size_t(1129), std::size_t(4096)}) {
        std::vector<std::byte> bytes(size, std::byte{0x5A});
        std::copy_n(good.begin(), std::min(size, good.size()), bytes.begin());
        SettingsRecord r = DefaultSettingsRecord();
        r.nTimeout = 777; // must survive
        EXPECT_FALSE(DecodeSettingsRecord(bytes, r)) << size;
        EXPECT_EQ(r.nTimeout, 777u) << size;
    }
}

TEST(SettingsRecord, DamagedTextsAndScopeAreMadeSafe)
{
    Bytes b{};
    b.fill(std::byte{0xFF});
    SettingsRecord r{};
    ASSERT_TRUE(DecodeSettingsRecord(b, r));
    EXPECT_EQ(SettingsTextLength(r.szPortName), kSettingsTextChars - 1);
    EXPECT_EQ(SettingsTextLength(r.szPassword), kSettingsTextChars - 1);
    EXPECT_EQ(r.nPasswordScope, std::uint32_t(PasswordScopeAll));
}

TEST(SettingsRecord, TextAssignmentLimits)
{
    SettingsRecord r = DefaultSettingsRecord();
    EXPECT_TRUE(AssignSettingsText(r.szPassword, QString(259, QLatin1Char('x'))));
    EXPECT_EQ(SettingsTextLength(r.szPassword), 259u);
    EXPECT_FALSE(AssignSettingsText(r.szPassword, QString(260, QLatin1Char('y'))));
    EXPECT_EQ(SettingsText(r.szPassword), QString(259, QLatin1Char('x'))); // untouched
    EXPECT_TRUE(AssignSettingsText(r.szPassword, QString()));
    EXPECT_EQ(SettingsTextLength(r.szPassword), 0u);
}

TEST(SettingsRecord, AnalogButtonsRemoveTheirAlarmBits)
{
    SettingsRecord r = DefaultSettingsRecord();
    EXPECT_EQ(AnalogButtonAlarmBits(r), 0u);
    r.bAnalogTemp1 = 1;
    EXPECT_EQ(AnalogButtonAlarmBits(r), (1u << 8) | (1u << 19) | (1u << 20));
    r = DefaultSettingsRecord();
    r.bAnalogTemp2 = 1;
    EXPECT_EQ(AnalogButtonAlarmBits(r), (1u << 9) | (1u << 21) | (1u << 22));
    r = DefaultSettingsRecord();
    r.bAnalogCurrent = r.bAnalogVoltage = 1;
    EXPECT_EQ(AnalogButtonAlarmBits(r), (1u << 25) | (1u << 26));
}

} // namespace
} // namespace relvo7
