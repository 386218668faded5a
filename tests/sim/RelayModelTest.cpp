// The simulated relay without sockets: registers, writes, commands, trips,
// journal and restarts.
#include "ParamCatalogue.h"
#include "RelayModel.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace relvo7::sim;
namespace r = relvo7::sim::reg;

namespace {

SimOptions opts(int version = 55)
{
    SimOptions o;
    o.version = version;
    return o;
}

uint32_t u32HighFirst(const RelayModel& m, int reg) { return (uint32_t(m.value(reg)) << 16) | m.value(reg + 1); }
int32_t i32LowFirst(const RelayModel& m, int reg)
{
    return static_cast<int32_t>((uint32_t(m.value(reg + 1)) << 16) | m.value(reg));
}

struct JournalEntry { int code; int value; uint32_t stamp; };
JournalEntry entry(const RelayModel& m, int slot)
{
    const int b = r::JournalFirst + 4 * slot;
    return {m.value(b), m.value(b + 1), u32HighFirst(m, b + 2)};
}

// Runs the model in small steps until pred holds or maxSeconds have passed.
bool advanceUntil(RelayModel& m, const std::function<bool()>& pred, double maxSeconds)
{
    for (double t = 0; t < maxSeconds; t += 0.1) {
        if (pred())
            return true;
        m.advance(0.1);
    }
    return pred();
}

// A commissioned relay with its motor running steadily.
struct RunningRelay : ::testing::Test {
    RelayModel m{opts()};
    void SetUp() override
    {
        m.commission();
        ASSERT_TRUE(m.startMotor());
        m.advance(10.0);
        ASSERT_TRUE(m.running());
    }
};

TEST(RelayModelRegisters, WhichRegistersExist)
{
    RelayModel v55(opts(55)), v12(opts(12)), v20(opts(20));
    for (int reg : {98, 99, 100, 129, 133, 146, 147, 150, 217, 230, 237, 240, 242, 243, 262, 300, 315, 325, 326})
        EXPECT_TRUE(v55.exists(reg)) << reg;
    for (int reg : {0, 1, 97, 148, 149, 231, 236, 238, 239, 263, 299, 316, 324, 327, 400, 65535})
        EXPECT_FALSE(v55.exists(reg)) << reg;
    EXPECT_TRUE(v12.exists(218));
    EXPECT_FALSE(v12.exists(219));
    EXPECT_TRUE(v20.exists(229));
    EXPECT_FALSE(v20.exists(230));
}

TEST(RelayModelRegisters, FactoryValuesOfItsVersion)
{
    for (int version : {1, 12, 13, 20, 21, 55, 99}) {
        RelayModel m(opts(version));
        for (const auto& rv : relvo7::params::factoryValues(unsigned(version))) {
            if (rv.reg != 212 && rv.reg != 207 && rv.reg != 208) {
                EXPECT_EQ(relvo7::params::registerToSigned(m.value(rv.reg)), rv.value)
                    << "version " << version << " reg " << rv.reg;
            }
        }
        EXPECT_EQ(m.value(r::Version), version);
    }
}

TEST(RelayModelRegisters, AddressRegisterHoldsTheRelaysAddress)
{
    SimOptions o = opts();
    o.address = 17;
    EXPECT_EQ(RelayModel(o).value(212), 17);
}

TEST(RelayModelWrites, CheckedAgainstTheCatalogue)
{
    struct Case { int version; int reg; int value; int exception; };
    const Case cases[] = {
        {55, 151, 150, 0},  {55, 151, 19, kIllegalValue},   {55, 151, 801, kIllegalValue},
        {55, 201, 10, 0},   {55, 201, 7, kIllegalValue},    {55, 201, 25, kIllegalValue},
        {55, 194, -9, 0},   {55, 194, -10, kIllegalValue},  {55, 217, 55, kIllegalValue},
        {55, 207, 0, kIllegalValue}, {20, 211, 1, kIllegalValue}, {12, 156, 1, 0},
        {13, 156, 1, kIllegalValue}, {12, 219, 5, kIllegalAddress}, {55, 100, 1, kIllegalAddress},
        {55, 240, 0, kIllegalAddress}, {55, 149, 0, kIllegalAddress}, {55, 1000, 0, kIllegalAddress},
    };
    for (const Case& c : cases) {
        RelayModel m(opts(c.version));
        const uint16_t before = m.value(c.reg);
        EXPECT_EQ(m.write(c.reg, uint16_t(c.value)), c.exception) << "v" << c.version << " reg " << c.reg;
        if (c.exception == 0)
            EXPECT_EQ(m.value(c.reg), uint16_t(c.value));
        else
            EXPECT_EQ(m.value(c.reg), before) << "refused write changed reg " << c.reg;
    }
}

TEST(RelayModelWrites, FactoryRestoreFromVersion21)
{
    RelayModel m(opts(21));
    ASSERT_EQ(m.write(153, 120), 0);
    ASSERT_EQ(m.write(188, 30), 0);
    ASSERT_EQ(m.write(211, 1), 0);
    EXPECT_EQ(m.value(153), 60);
    EXPECT_EQ(m.value(188), 5);
    EXPECT_EQ(m.value(211), 0);
    EXPECT_EQ(m.value(217), 21);
}

TEST(RelayModelWrites, RatedCurrentAndTransformerTakeEffect)
{
    RelayModel m(opts(55));
    ASSERT_EQ(m.write(152, 50), 0);
    ASSERT_EQ(m.write(221, 1), 0);
    m.setLoad(1.0);
    ASSERT_TRUE(m.startMotor());
    m.advance(20.0);
    EXPECT_NEAR(m.value(r::PhaseCurrent1), 500, 10); // 50.0 A in tenths
    // External transformer above 100 A: currents are sent divided by 10.
    ASSERT_EQ(m.write(150, 1), 0);
    ASSERT_EQ(m.write(151, 150), 0);
    m.advance(0.1);
    EXPECT_NEAR(m.value(r::PhaseCurrent1), 50, 2);
    EXPECT_EQ(m.ctFactor(), 10);
    RelayModel v14(opts(14));
    v14.write(150, 1);
    v14.write(151, 150);
    EXPECT_EQ(v14.ctFactor(), 1);
}

TEST(RelayModelCommands, StartNeedsRemoteControlAndRatedCurrent)
{
    RelayModel m(opts(55));
    EXPECT_EQ(m.write(r::Command, r::CmdStart), kIllegalValue); // no remote control
    ASSERT_EQ(m.write(221, 1), 0);
    EXPECT_EQ(m.write(r::Command, r::CmdStart), kIllegalValue); // no rated current
    ASSERT_EQ(m.write(152, 40), 0);
    EXPECT_EQ(m.write(r::Command, r::CmdStart), 0);
    EXPECT_TRUE(m.running());
    EXPECT_EQ(m.value(r::Command), r::CmdStart);
    EXPECT_TRUE(m.value(r::StatusWord) & r::StatusMotorRelay);
    EXPECT_EQ(m.write(r::Command, r::CmdStop), 0);
    EXPECT_FALSE(m.running());
    EXPECT_FALSE(m.value(r::StatusWord) & r::StatusMotorRelay);
    EXPECT_EQ(m.write(r::Command, 7), kIllegalValue);

    RelayModel v12(opts(12));
    v12.write(152, 40);
    EXPECT_EQ(v12.write(r::Command, r::CmdStart), kIllegalValue); // no remote control register at all
}

TEST(RelayModelCommands, ResetOnlyFromVersion21)
{
    RelayModel v20(opts(20)), v21(opts(21));
    v20.trip(Protection::OverCurrent);
    v21.trip(Protection::OverCurrent);
    EXPECT_EQ(v20.write(r::Command, r::CmdReset), kIllegalValue);
    EXPECT_TRUE(v20.fault());
    EXPECT_EQ(v21.write(r::Command, r::CmdReset), 0);
    EXPECT_FALSE(v21.fault());
    EXPECT_EQ(v21.value(r::StatusWord) & r::StatusFault, 0);
    EXPECT_EQ(v21.value(r::AlarmWordLow), 0);
}

TEST_F(RunningRelay, RestartCommandKeepsSettingsAndStopsTheMotor)
{
    ASSERT_EQ(m.write(153, 90), 0);
    EXPECT_EQ(m.write(r::Command, r::CmdRestart), 0);
    EXPECT_TRUE(m.takeRestartRequest());
    EXPECT_FALSE(m.takeRestartRequest());
    EXPECT_FALSE(m.running());
    EXPECT_EQ(m.value(153), 90);
    EXPECT_EQ(m.value(152), 40);
}

TEST_F(RunningRelay, MeasurementsArePlausible)
{
    m.advance(300.0);
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(m.value(r::PhaseCurrent1 + k), 320, 12) << k; // 80 % of 40 A
        EXPECT_NEAR(m.value(r::AverageCurrent1 + k), 320, 12) << k;
        EXPECT_GE(m.value(r::HighestAverage1 + k), m.value(r::AverageCurrent1 + k) - 2);
        EXPECT_NEAR(m.value(r::PhaseVoltage1 + k), 231, 3);
        EXPECT_NEAR(m.value(r::LineVoltageAB + k), 400, 4);
        const int32_t pf = i32LowFirst(m, r::PowerFactor1 + 2 * k);
        EXPECT_GT(pf, 700);
        EXPECT_LE(pf, 1000);
    }
    EXPECT_GT(m.value(r::StartingCurrent), 1500);        // several times the rated current
    EXPECT_GE(m.value(r::StartingTime), 2);
    EXPECT_NEAR(m.value(r::PosSeqVoltage), 231, 3);
    EXPECT_LT(m.value(r::NegSeqVoltage), 5);
    EXPECT_LT(m.value(r::NegSeqCurrent), 20);
    EXPECT_NEAR(m.value(r::Frequency), 500, 2);
    EXPECT_EQ(m.value(r::OverloadCountdown), r::NotCounting);
    EXPECT_EQ(m.value(r::Temperature1), r::SensorOff);    // sensor 1 off by factory setting
    EXPECT_GT(m.value(r::Temperature2), 25);              // commissioned with a Pt100
    const uint32_t heat = u32HighFirst(m, r::ThermalHigh);
    EXPECT_GT(heat, 200000u);
    EXPECT_LT(heat, 1100000u);
    EXPECT_EQ(u32HighFirst(m, r::OperatingMinutesHigh), 5u); // 310 s
}

TEST_F(RunningRelay, OverloadCountsDownAndTripsThermally)
{
    m.setLoad(2.0);
    m.advance(1.0);
    const int countdown = m.value(r::OverloadCountdown);
    ASSERT_LT(countdown, 600);
    ASSERT_GT(countdown, 10);
    m.advance(5.0);
    EXPECT_LT(m.value(r::OverloadCountdown), countdown);
    EXPECT_GT(m.value(r::OverloadCurrent), 700);
    m.advance(countdown + 5.0);
    ASSERT_TRUE(m.fault());
    EXPECT_EQ(m.alarms(), 1u << r::AlarmThermal);
    EXPECT_EQ(m.value(r::StatusWord) & (r::StatusFault | r::StatusMotorRelay), r::StatusFault);
    EXPECT_EQ(m.value(r::AlarmWordLow), 1u << r::AlarmThermal);
    EXPECT_GE(m.value(301), 100);
    const auto e = entry(m, 0);
    EXPECT_EQ(e.code, r::AlarmThermal);
    EXPECT_EQ(e.value, m.value(301));
    EXPECT_EQ(m.value(r::JournalPointer), 4);

    // Factory settings restart after the motor has cooled, then the 5 s delay.
    EXPECT_LE(m.value(r::OverloadWait), 900);
    EXPECT_EQ(m.value(r::RestartCountdown), r::NotCounting);
    m.setLoad(0.5);
    ASSERT_TRUE(advanceUntil(m, [&] { return m.value(r::OverloadWait) == r::NotCounting; }, 900));
    EXPECT_EQ(m.value(r::RestartCountdown), 5);
    EXPECT_TRUE(m.value(r::StatusWord) & r::StatusRestartPending);
    EXPECT_TRUE(m.fault());
    m.advance(2.0);
    EXPECT_EQ(m.value(r::RestartCountdown), 3);
    m.advance(3.0);
    EXPECT_FALSE(m.fault());
    EXPECT_TRUE(m.running());
    EXPECT_EQ(m.value(r::AlarmWordLow), 0);
}

struct TripCase {
    const char* name;
    int bit;
    int valueRegister;         // 0: none
    int modeRegister;
    bool voltage;
    std::function<void(RelayModel&)> cause;
};

class ProtectionTrips : public ::testing::TestWithParam<TripCase> {};

TEST_P(ProtectionTrips, TripStoresAlarmValueJournalAndRestarts)
{
    const TripCase& c = GetParam();
    RelayModel m(opts());
    m.commission();
    ASSERT_TRUE(m.startMotor());
    m.advance(10.0);
    m.advance(61.0); // past one operating minute
    c.cause(m);
    ASSERT_TRUE(advanceUntil(m, [&] { return m.fault(); }, 40.0)) << c.name;
    EXPECT_FALSE(m.running());
    EXPECT_TRUE(m.alarms() & (1u << c.bit));
    const uint32_t word = m.value(r::AlarmWordLow) | (uint32_t(m.value(r::AlarmWordHigh)) << 16);
    EXPECT_TRUE(word & (1u << c.bit));
    const auto e = entry(m, 0);
    EXPECT_EQ(e.code, c.bit);
    EXPECT_GE(e.stamp, 1u);
    if (c.valueRegister)
        EXPECT_EQ(e.value, m.value(c.valueRegister));
    else
        EXPECT_EQ(e.value, r::NoJournalValue);
    EXPECT_EQ(m.value(r::JournalPointer), 4);
}

const TripCase kTrips[] = {
    {"overcurrent", r::AlarmOverCurrent, 300, 157, false, [](RelayModel& m) { m.write(167, 0); m.setLoad(5.0); }},
    {"phaseloss", r::AlarmPhaseLoss, 0, 220, false, [](RelayModel& m) { m.setPhaseLost(true); }},
    {"undervoltage", r::AlarmUnderVoltage, 312, 179, true, [](RelayModel& m) { m.setLineVoltage(300); }},
    {"overvoltage", r::AlarmOverVoltage, 313, 182, true, [](RelayModel& m) { m.setLineVoltage(430); }},
};
INSTANTIATE_TEST_SUITE_P(Causes, ProtectionTrips, ::testing::ValuesIn(kTrips),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RunningRelay, OverCurrentValueAndDelay)
{
    ASSERT_EQ(m.write(167, 0), 0); // thermal protection off: it would trip first
    m.setLoad(5.0); // 200 A against 4.0 x 40 A
    m.advance(9.5); // i^t = 10.0 s
    EXPECT_FALSE(m.fault());
    m.advance(1.0);
    ASSERT_TRUE(m.fault());
    EXPECT_NEAR(m.value(300), 2000, 60);
}

TEST_F(RunningRelay, VoltageTripRestartsOnlyWhenTheMainsAreBack)
{
    m.setLineVoltage(300);
    m.advance(11.0); // U=t = 10 s
    ASSERT_TRUE(m.fault());
    EXPECT_NEAR(m.value(312), 300, 3);
    m.advance(30.0);
    EXPECT_TRUE(m.fault()) << "restarted into an under-voltage";
    m.setLineVoltage(400);
    m.advance(5.5);
    EXPECT_FALSE(m.fault());
    EXPECT_TRUE(m.running());
}

TEST_F(RunningRelay, NoRestartWithoutTheProtectionsRestartMode)
{
    ASSERT_EQ(m.write(157, 1), 0); // over-current on, no automatic restart
    m.trip(Protection::OverCurrent);
    m.advance(60.0);
    EXPECT_TRUE(m.fault());
    EXPECT_EQ(m.value(r::RestartCountdown), r::NotCounting);

    RelayModel other(opts());
    other.commission();
    ASSERT_EQ(other.write(189, 0), 0); // Arr: no automatic restart for non-voltage faults
    other.trip(Protection::OverCurrent);
    other.advance(60.0);
    EXPECT_TRUE(other.fault());
}

TEST(RelayModelJournal, FiveEntryRingNewestRightAfterThePointer)
{
    RelayModel m(opts());
    const Protection seq[] = {Protection::OverCurrent, Protection::ThermalOverload, Protection::PhaseLoss,
                              Protection::UnderVoltage, Protection::OverVoltage, Protection::OverCurrent};
    const int codes[] = {0, 1, 23, 12, 13, 0};
    for (int i = 0; i < 6; ++i) {
        m.advance(60.5);
        m.trip(seq[i]);
        m.resetFault();
        // Reading from pointer+1 gives the newest entry first.
        const int p = m.value(r::JournalPointer);
        ASSERT_LE(p, 4);
        EXPECT_EQ(entry(m, (p + 1) % 5).code, codes[i]) << i;
        EXPECT_EQ(entry(m, (p + 1) % 5).stamp, uint32_t(i + 1)) << i;
    }
    // Six trips in five slots: the first one is gone, the five later ones remain, newest first.
    const int p = m.value(r::JournalPointer);
    int expected[] = {0, 13, 12, 23, 1};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(entry(m, (p + 1 + i) % 5).code, expected[i]) << i;
}

TEST(RelayModelJournal, EmptySlotsAreLeftOutByTheirCode)
{
    RelayModel m(opts());
    for (int j = 0; j < 5; ++j) {
        EXPECT_GE(entry(m, j).code, 40);
        EXPECT_EQ(entry(m, j).value, r::NoJournalValue);
        EXPECT_GE(entry(m, j).stamp, 5000000u);
    }
}

TEST(RelayModelPins, SetRawPinsComputedRegistersUntilReleased)
{
    RelayModel m(opts());
    m.setRaw(r::Temperature1, 1000);
    m.advance(1.0);
    EXPECT_EQ(m.value(r::Temperature1), 1000);
    m.release(r::Temperature1);
    EXPECT_EQ(m.value(r::Temperature1), r::SensorOff);
    m.setRaw(153, 9999); // configuration: stored as it is, no checks
    EXPECT_EQ(m.value(153), 9999);
}

TEST(RelayModelAlarms, AlarmBitSetsFaultAndValue)
{
    RelayModel m(opts());
    m.setAlarmBit(25, true);
    EXPECT_TRUE(m.fault());
    EXPECT_EQ(m.value(r::AlarmWordHigh), 1u << 9);
    EXPECT_NEAR(m.value(r::AnalogCurrentAlarmValue), 120, 3);
    m.setAlarmBit(25, false);
    EXPECT_FALSE(m.fault());
    EXPECT_EQ(m.value(r::StatusWord) & r::StatusFault, 0);
}

TEST(RelayModelSeed, SameSeedSameValues)
{
    SimOptions o = opts();
    o.commissioned = true;
    RelayModel a(o), b(o);
    for (RelayModel* m : {&a, &b}) {
        m->commission();
        m->startMotor();
        m->advance(33.3);
    }
    for (int reg = 98; reg <= 147; ++reg)
        EXPECT_EQ(a.value(reg), b.value(reg)) << reg;
}

} // namespace

#include "ModbusServer.h"

namespace {

TEST(RequestDecoding, TcpAndRtuFrames)
{
    using D = DecodedRequest;
    const uint8_t tcpRead[] = {0, 1, 0, 0, 0, 6, 1, 0x03, 0x00, 0xD9, 0x00, 0x01};
    D d = decodeRequest(tcpRead, sizeof tcpRead, 7);
    EXPECT_EQ(d.kind, D::Read);
    EXPECT_EQ(d.first, 217);
    EXPECT_EQ(d.count, 1);
    const uint8_t rtuWrite[] = {1, 0x06, 0x00, 0xED, 0x00, 0x58, 0, 0};
    d = decodeRequest(rtuWrite, sizeof rtuWrite, 1);
    EXPECT_EQ(d.kind, D::Write);
    EXPECT_EQ(d.first, 237);
    EXPECT_EQ(d.value, 88);
    const uint8_t zero[] = {1, 0x03, 0x00, 0x64, 0x00, 0x00};
    EXPECT_EQ(decodeRequest(zero, sizeof zero, 1).kind, D::BadCount);
    const uint8_t many[] = {1, 0x03, 0x00, 0x64, 0x00, 0x7E};
    EXPECT_EQ(decodeRequest(many, sizeof many, 1).kind, D::BadCount);
    const uint8_t other[] = {1, 0x10};
    EXPECT_EQ(decodeRequest(other, sizeof other, 1).kind, D::Other);
    EXPECT_EQ(decodeRequest(rtuWrite, 4, 1).kind, D::Short);
    EXPECT_EQ(decodeRequest(rtuWrite, 1, 1).kind, D::Short);
    EXPECT_EQ(decodeRequest(nullptr, 0, 7).kind, D::Short);
}

} // namespace
