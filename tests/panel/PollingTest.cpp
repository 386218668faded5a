// The polling cycle against the relay simulator: schedule, register map,
// decoding on the way to the displays, alarms.
#include "PanelIds.h"
#include "PanelTestSupport.h"
#include "PanelTexts.h"

using namespace relvo7;
using namespace relvo7::panel;
using namespace relvo7::panel::testing;

namespace {

using Polling = SimPanelTest;

std::vector<uint32_t> pollingReads(const CountingLink& link) {
    std::vector<uint32_t> firsts;
    for (const auto& r : link.reads())
        if (r.first != 217) firsts.push_back(r.first);
    return firsts;
}

TEST_F(Polling, CycleOneReadsEveryBlockInScheduleOrder) {
    startSim(55);
    quietRelay();
    connect();
    ASSERT_TRUE(waitCycles(4));
    engine().ToggleConnection();
    const std::vector<uint32_t> reads = pollingReads(link);
    const std::vector<uint32_t> expected = {
        100, 110, 120, 141, 130, 240, 150, 177, 187, 221, // cycle 1
        100, 110, 120, 141,                               // cycle 2
        100, 110, 120, 141,                               // cycle 3
        100, 110, 120, 141, 130, 240,                     // cycle 4: slow only
    };
    ASSERT_GE(reads.size(), expected.size());
    EXPECT_EQ(std::vector<uint32_t>(reads.begin(), reads.begin() + expected.size()), expected);
    for (const auto& r : link.reads()) {
        const uint32_t want = r.first == 100 || r.first == 110 || r.first == 120 ? 10
                              : r.first == 141                                     ? 6
                              : r.first == 130                                     ? 5
                              : r.first == 240                                     ? 3
                              : r.first == 150 || r.first == 177                   ? 4
                              : r.first == 187                                     ? 2
                                                                                   : 1;
        EXPECT_EQ(r.count, want) << "block " << r.first;
    }
}

TEST_F(Polling, Version12NeverReadsThePowerFactors) {
    startSim(12);
    quietRelay();
    connect();
    ASSERT_TRUE(waitCycles(15));
    engine().pump(view);
    EXPECT_EQ(link.readsOf(141), 0u);
    for (int i = 34; i <= 48; ++i) EXPECT_EQ(MeasurementBlock[i].load(), 0) << "MB " << i;
    EXPECT_EQ(view.text(id::PowerValue1), "0");
}

TEST_F(Polling, PowersFollowTheChosenQuantity) {
    startSim(55);
    quietRelay();
    for (int k = 0; k < 3; ++k) {
        sim->setRegister(100 + k, 100); // 10.0 A
        sim->setRegister(114 + k, 230);
        sim->setRegister(141 + 2 * k, 800); // cos 0.8, low word
        sim->setRegister(142 + 2 * k, 0);
    }
    sim->setRegister(150, 0);
    connect();
    engine().setPowerChoice(0, 1);  // P
    engine().setPowerChoice(1, 9);  // Q1
    engine().setPowerChoice(2, 12); // cos1
    ASSERT_TRUE(waitText(id::PowerValue1, "5.52 kW"));
    EXPECT_TRUE(waitText(id::PowerValue2, "1.38 kVAr"));
    EXPECT_TRUE(waitText(id::PowerValue3, "0.800"));
    EXPECT_EQ(MeasurementBlock[35].load(), 552);
    EXPECT_EQ(MeasurementBlock[34].load(), 690);
    EXPECT_EQ(MeasurementBlock[46].load(), 80);
    engine().setPowerChoice(0, -1);
    EXPECT_TRUE(waitText(id::PowerValue1, ""));
}

struct CtCase {
    int version;
    uint16_t tPt, tnt;
    const char* phase;
    int32_t stored;
};
class CurrentTransformer : public SimPanelTest, public ::testing::WithParamInterface<CtCase> {};

TEST_P(CurrentTransformer, MultipliesPhaseCurrentsButNeverTheZeroSequence) {
    const CtCase c = GetParam();
    startSim(c.version);
    quietRelay();
    sim->setRegister(100, 57);
    sim->setRegister(103, 57);
    sim->setRegister(150, c.tPt);
    sim->setRegister(151, c.tnt);
    connect();
    ASSERT_TRUE(waitCycles(14)); // block 150 is read in cycle 13 and applies from the next
    engine().pump(view);
    EXPECT_EQ(view.text(id::PhaseCurrent1), c.phase);
    EXPECT_EQ(view.positions[id::BarPhaseCurrent1], c.stored);
    EXPECT_EQ(MeasurementBlock[0].load(), c.stored);
    EXPECT_EQ(view.text(id::ZeroCurrent), "5.7 А");
    EXPECT_EQ(MeasurementBlock[3].load(), 57);
}

INSTANTIATE_TEST_SUITE_P(Rule, CurrentTransformer,
                         ::testing::Values(CtCase{15, 1, 150, "57.0 А", 570}, CtCase{15, 1, 100, "5.7 А", 57},
                                           CtCase{14, 1, 150, "5.7 А", 57}));

// Register values through the whole path to the labels, bars and markers.
TEST_F(Polling, RegisterMapReachesTheDisplays) {
    startSim(55);
    quietRelay();
    const std::pair<int, uint16_t> regs[] = {
        {114, 231}, {117, 400}, {123, 1000}, {124, 65486}, {125, 123}, {128, 500}, {129, 600},
        {130, 899}, {131, 900}, {132, 55},   {133, 16},    {134, 51424}, // 1 100 000
        {150, 0},   {152, 50},  {153, 30},   {177, 320},   {180, 440},  {187, 20}, {188, 40}, {221, 1},
    };
    for (auto [r, v] : regs) sim->setRegister(r, v);
    connect();
    ASSERT_TRUE(waitCycles(14));
    engine().pump(view);
    EXPECT_EQ(view.text(id::PhaseVoltage1), "231 V");
    EXPECT_EQ(view.positions[id::BarPhaseVoltage1], 231);
    EXPECT_EQ(view.text(id::LineVoltage1), "400 V");
    EXPECT_EQ(view.text(id::Temperature1), "Zwarcie");
    EXPECT_EQ(MeasurementBlock[23].load(), -80);
    EXPECT_EQ(view.text(id::Temperature2), "-50 *C");
    EXPECT_EQ(MeasurementBlock[24].load(), -50);
    EXPECT_EQ(view.text(id::AnalogCurrent), "12.3 mА");
    EXPECT_EQ(view.text(id::Frequency), "50.0 Hz");
    EXPECT_EQ(view.text(id::OverloadTripTime), "600 s");
    EXPECT_EQ(view.text(id::RestartTime), "899 s");
    EXPECT_EQ(view.positions[id::BarRestart], 899);
    EXPECT_EQ(view.text(id::OverloadWaitTime), "900 s");
    EXPECT_EQ(view.text(id::Insulation), "5.5 MΩ");
    EXPECT_EQ(view.text(id::HeatingPercent), "100%");
    EXPECT_EQ(MeasurementBlock[33].load(), 100);
    EXPECT_EQ(view.graphLevel[id::HeatingGraph], 1100000u);
    EXPECT_EQ(view.ranges[id::BarPhaseCurrent1], std::make_pair(0, 750));
    EXPECT_EQ(view.markers[id::BarPhaseCurrent1], std::make_pair(500, 0));
    EXPECT_EQ(view.ranges[id::BarNegativeCurrent], std::make_pair(0, 750));
    EXPECT_EQ(view.markers[id::BarLineVoltage2], std::make_pair(440, 320));
    EXPECT_EQ(view.text(id::AvgPeriod), "30 s");
    EXPECT_EQ(view.ranges[id::BarRestart], std::make_pair(0, 40)) << "restart range B without A bit 5";
    EXPECT_TRUE(view.visible[id::Start]);
    EXPECT_TRUE(view.visible[id::Stop]);
    EXPECT_FALSE(view.visible[id::MotorPicture]);
    EXPECT_EQ(view.state(id::LedRemote), 1);

    // Past each limit.
    const std::pair<int, uint16_t> over[] = {{123, 990}, {124, 1010}, {129, 601}, {130, 900},
                                             {131, 901}, {133, 167}, {134, 55488}, {221, 0}};
    for (auto [r, v] : over) sim->setRegister(r, v);
    EXPECT_TRUE(waitText(id::Temperature1, "990 *C"));
    EXPECT_TRUE(waitText(id::Temperature2, "1010 *C"));
    EXPECT_TRUE(waitText(id::OverloadTripTime, "Nie"));
    EXPECT_TRUE(waitText(id::RestartTime, "Nie"));
    EXPECT_EQ(view.positions[id::BarRestart], 0);
    EXPECT_TRUE(waitText(id::OverloadWaitTime, "Nie"));
    EXPECT_TRUE(waitText(id::HeatingPercent, "1000%"));
    EXPECT_TRUE(pumpUntil([&] { return !view.visible[id::Start]; }, 15000));
    EXPECT_FALSE(view.visible[id::Stop]);
    EXPECT_TRUE(view.visible[id::MotorPicture]);
    EXPECT_EQ(view.state(id::LedRemote), 0);
    EXPECT_EQ(view.visibilityChanges[id::Start], 2) << "shown once, hidden once";
}

TEST_F(Polling, InputsUsedAsButtonsShowNie) {
    startSim(55);
    quietRelay();
    settings.bAnalogTemp2 = true;
    settings.bAnalogVoltage = true;
    sim->setRegister(124, 25);
    sim->setRegister(126, 77);
    connect();
    ASSERT_TRUE(waitCycles(2));
    engine().pump(view);
    EXPECT_EQ(view.text(id::Temperature2), "Nie.");
    EXPECT_EQ(view.text(id::AnalogVoltage), "Nie.");
    EXPECT_EQ(MeasurementBlock[24].load(), 0);
    EXPECT_EQ(MeasurementBlock[26].load(), 0);
}

TEST_F(Polling, NoRatedCurrentListsExactlyTheNoStartRow) {
    startSim(55);
    quietRelay();
    sim->setRegister(152, 0);
    connect();
    ASSERT_TRUE(waitCycles(8));
    engine().pump(view);
    ASSERT_EQ(view.rows.size(), 1u);
    EXPECT_EQ(view.rows[0].name, "Rozruch nie nastąpi");
    EXPECT_EQ(view.rows[0].code, "ind");
    EXPECT_EQ(view.rows[0].value, "Nie");
    EXPECT_EQ(view.state(id::LedFault), 0);
    EXPECT_EQ(AlarmMask.load(), 0x80000000u);
}

TEST_F(Polling, AlarmRowsComeNewestFirstAndLeaveWhenTheirBitClears) {
    startSim(55);
    quietRelay();
    sim->setRegister(150, 0);
    sim->setRegister(300, 245);
    sim->failRegister(302, 2);
    sim->setRegister(240, 1); // fault state
    sim->setRegister(241, 1u << 0);
    connect();
    ASSERT_TRUE(pumpUntil([&] { return view.rows.size() == 1; }));
    EXPECT_EQ(view.rows[0].name, "Zabezpieczenie nadprądowe fazowe");
    EXPECT_EQ(view.rows[0].code, "Ai^");
    EXPECT_EQ(view.rows[0].value, "24.5 A");
    EXPECT_EQ(view.state(id::LedFault), 1);

    sim->setRegister(241, (1u << 0) | (1u << 2) | (1u << 8));
    ASSERT_TRUE(pumpUntil([&] { return view.rows.size() == 3; }));
    EXPECT_EQ(view.rowItems(), (std::vector<int>{8, 2, 0}));
    EXPECT_EQ(view.rows[1].value, "err") << "the value register could not be read";
    EXPECT_EQ(view.rows[0].value, model.alarmRows()[0].value);

    sim->setRegister(241, (1u << 2) | (1u << 8));
    ASSERT_TRUE(pumpUntil([&] { return view.rows.size() == 2; }));
    EXPECT_EQ(view.rowItems(), (std::vector<int>{8, 2}));
    EXPECT_EQ(AlarmMask.load(), (1u << 2) | (1u << 8));

    sim->setRegister(240, 0);
    ASSERT_TRUE(pumpUntil([&] { return view.rows.empty(); }));
    EXPECT_EQ(AlarmMask.load(), 0u);
    EXPECT_EQ(view.state(id::LedFault), 0);
}

TEST_F(Polling, AlarmsOfButtonInputsAreNotListed) {
    startSim(55);
    quietRelay();
    settings.bAnalogTemp1 = true;
    sim->setRegister(240, 1);
    sim->setRegister(241, (1u << 8) | (1u << 5));
    sim->setRegister(187, 11);
    sim->setRegister(188, 22);
    connect();
    ASSERT_TRUE(pumpUntil([&] { return view.rows.size() == 1; }));
    ASSERT_TRUE(waitCycles(14));
    engine().pump(view);
    EXPECT_EQ(view.rowItems(), (std::vector<int>{5}));
    EXPECT_EQ(view.state(id::LedButtonInputs), 1);
    EXPECT_EQ(view.ranges[id::BarRestart], std::make_pair(0, 11)) << "restart range A with bit 5";
}

TEST_F(Polling, RelayStatusDrivesLedsAndMode) {
    startSim(55);
    quietRelay();
    sim->setRegister(240, (1u << 1) | (1u << 6) | (2u << 4));
    connect();
    ASSERT_TRUE(pumpUntil([&] { return view.state(id::ModeStarDelta) == 1; }));
    EXPECT_EQ(view.state(id::LedMotorRelay), 1);
    EXPECT_EQ(view.state(id::LedTmlpp), 1);
    EXPECT_EQ(view.state(id::LedFunctionRelay), 0);
    EXPECT_EQ(view.state(id::ModeSignalling), 0);
    sim->setRegister(240, 3u << 4);
    ASSERT_TRUE(pumpUntil([&] { return view.state(id::ModeStarDelta) == 0; }));
    EXPECT_EQ(view.state(id::ModeSignalling), 0);
    EXPECT_EQ(view.state(id::ModeTimer), 0);
}

} // namespace
