// Connecting, identifying, supervising and losing the relay link, against the
// relay simulator over Modbus TCP.
#include "PanelIds.h"
#include "PanelTestSupport.h"
#include "PanelTexts.h"
#include "relvo7link.h"

using namespace relvo7;
using namespace relvo7::panel;
using namespace relvo7::panel::testing;

namespace {

struct IdentifyCase {
    int version;
    bool failReads;   // the version register answers with an exception
    uint32_t retries;
    bool accepted;
    size_t reads;     // reads of register 217
};

class Identification : public SimPanelTest, public ::testing::WithParamInterface<IdentifyCase> {};

TEST_P(Identification, AcceptsVersions10To55AfterAtMostFivePasses) {
    const IdentifyCase c = GetParam();
    startSim(c.version);
    if (c.failReads) sim->failRegister(217, 2);
    settings.nRetries = c.retries;
    engine().ToggleConnection();

    EXPECT_EQ(link.readsOf(217), c.reads);
    EXPECT_EQ(engine().connected(), c.accepted);
    if (c.accepted) {
        EXPECT_EQ(DeviceVersion.load(), c.version);
        EXPECT_TRUE(prompt.asked.empty());
    } else {
        EXPECT_EQ(DeviceVersion.load(), 0);
        EXPECT_EQ(PollingSpeed.load(), 0.0f);
        ASSERT_EQ(prompt.asked.size(), 1u);
        EXPECT_EQ(prompt.texts()[0], text::kMsgIdentify);
        EXPECT_EQ(prompt.asked[0].request.caption.toStdString(), text::kCaptionError);
        EXPECT_EQ(TCP_IsOpen(), 0) << "the transport is closed again";
        engine().pump(view);
        EXPECT_EQ(view.text(id::Connect), text::kCaptionConnect);
        EXPECT_EQ(view.text(id::StatusLabel), text::kStatusDisconnected);
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, Identification,
                         ::testing::Values(IdentifyCase{9, false, 0, false, 5}, IdentifyCase{9, false, 3, false, 5},
                                           IdentifyCase{56, false, 3, false, 5}, IdentifyCase{10, false, 3, true, 1},
                                           IdentifyCase{55, false, 0, true, 1}, IdentifyCase{55, true, 0, false, 5},
                                           IdentifyCase{55, true, 3, false, 15}));

using Connection = SimPanelTest;

TEST_F(Connection, OnlyTheExactNameSelectsModbusTcp) {
    startSim();
    for (const char16_t* name : {u"modbus tcp", u"Modbus TCP ", u"MODBUS TCP"}) {
        settings.szPortName = name;
        prompt.asked.clear();
        engine().ToggleConnection();
        EXPECT_FALSE(engine().connected());
        ASSERT_EQ(prompt.asked.size(), 1u);
        EXPECT_EQ(prompt.texts()[0], text::kMsgComOpen);
    }
    EXPECT_EQ(link.readsOf(217), 0u);
}

TEST_F(Connection, FailedTcpOpenNamesTheAddressOnly) {
    settings.szPortName = u"Modbus TCP";
    settings.nIpAddress = 0x7F000001u;
    settings.nTcpPort = 1; // nothing listens there
    settings.nTimeout = 200;
    engine().ToggleConnection();
    EXPECT_FALSE(engine().connected());
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.texts()[0], "Modbus TCP/IP - Nie można podłączyć się do węzła IP:127.0.0.1");
    EXPECT_EQ(TCP_IsOpen(), 0);
}

TEST_F(Connection, WrongOrCancelledPasswordChangesNothingButZeroesTheBlock) {
    startSim();
    settings.bPassword = true;
    settings.nPasswordScope = kPasswordScopeConnect;
    settings.szPassword = u"tajne";
    std::deque<std::optional<std::u16string>> entries = {u"tajn", std::nullopt, u"tajne"};
    engine().setPasswordAsker([&] {
        auto e = entries.front();
        entries.pop_front();
        return e;
    });
    for (int attempt = 0; attempt < 2; ++attempt) {
        MeasurementBlock[0].store(123);
        engine().ToggleConnection();
        EXPECT_FALSE(engine().connected());
        EXPECT_EQ(MeasurementBlock[0].load(), 0);
    }
    EXPECT_EQ(link.opens(), 0);
    EXPECT_TRUE(prompt.asked.empty());
    engine().ToggleConnection();
    EXPECT_TRUE(engine().connected());
}

TEST_F(Connection, ConnectAndDisconnectSetTheButtonsAndStatus) {
    startSim(55);
    quietRelay();
    connect();
    EXPECT_EQ(PollingThreadRunning.load(), 1);
    engine().pump(view);
    EXPECT_EQ(view.text(id::Connect), text::kCaptionDisconnect);
    EXPECT_EQ(view.text(id::StatusLabel), text::kStatusConnected);
    EXPECT_TRUE(view.visible[id::Reset]) << "RESET exists from version 21";
    EXPECT_FALSE(view.enabled[id::Settings]);
    EXPECT_TRUE(view.enabled[id::Journal]);
    EXPECT_TRUE(view.graphRunning[id::HeatingGraph]);
    EXPECT_EQ(view.state(id::Activity), picture::ActivityIdle);
    engine().superviseLink();
    engine().pump(view);
    EXPECT_EQ(view.text(id::WindowTitle).rfind("Panel sterowania RELVO-7  -  Firmware[55]  -  Prędkość[", 0), 0u)
        << view.text(id::WindowTitle);

    engine().ToggleConnection();
    engine().pump(view);
    EXPECT_EQ(PollingThreadRunning.load(), 0);
    EXPECT_EQ(TCP_IsOpen(), 0);
    EXPECT_EQ(view.text(id::Connect), text::kCaptionConnect);
    EXPECT_EQ(view.text(id::StatusLabel), text::kStatusDisconnected);
    EXPECT_FALSE(view.visible[id::Reset]);
    EXPECT_TRUE(view.enabled[id::Settings]);
    EXPECT_FALSE(view.enabled[id::Journal]);
    EXPECT_FALSE(view.graphRunning[id::HeatingGraph]);
    EXPECT_EQ(view.text(id::WindowTitle), text::kTitleBase);
    EXPECT_EQ(view.text(id::PhaseCurrent1), "0.0 А");
}

TEST_F(Connection, ResetButtonStaysHiddenBelowVersion21) {
    startSim(20);
    quietRelay();
    connect();
    engine().pump(view);
    EXPECT_EQ(view.visibilityChanges.count(id::Reset), 0u);
    EXPECT_FALSE(model.control(id::Reset).visible.value_or(true));
}

// Six ticks without a good read: the displays reset and one "Zdalne
// sterowanie" row appears; polling that succeeds again removes it.
TEST_F(Connection, WatchdogAddsTheLinkRowOnceAndPollingRemovesIt) {
    startSim(55);
    quietRelay();
    settings.nTimeout = 200; // several failed reads fit in the silence
    connect();
    ASSERT_TRUE(pumpUntil([] { return LastReadOk.load() == 1; }));
    engine().superviseLink();
    engine().pump(view);
    EXPECT_EQ(view.state(id::Activity), picture::ActivityGood);
    EXPECT_EQ(view.text(id::ConnectionClock), "00 : 00 : 01");

    sim->silenceFor(5000);
    ASSERT_TRUE(pumpUntil([] { return LastReadOk.load() == 0; }));
    for (int tick = 1; tick <= 5; ++tick) {
        engine().superviseLink();
        engine().pump(view);
        EXPECT_TRUE(view.rows.empty()) << "tick " << tick;
    }
    EXPECT_EQ(view.state(id::Activity), picture::ActivityFailing);
    engine().superviseLink(); // the sixth
    engine().superviseLink(); // and a seventh adds nothing
    engine().pump(view);
    ASSERT_EQ(view.rows.size(), 1u);
    EXPECT_EQ(view.rows[0].itemData, 16);
    EXPECT_EQ(view.rows[0].name, "Zdalne sterowanie");
    EXPECT_EQ(view.rows[0].code, "Adu");
    EXPECT_EQ(view.rows[0].value, "");
    EXPECT_EQ(view.rows[0].time.size(), 8u);
    EXPECT_EQ(view.state(id::LedFault), 1);
    EXPECT_EQ(AlarmMask.load(), 0x10000u);
    EXPECT_EQ(view.text(id::PhaseCurrent1), "0.0 А");
    EXPECT_TRUE(pumpUntil([] { return PollingSpeed.load() == 0.0f; }))
        << "a second without a register read gives a speed of 0";

    ASSERT_TRUE(pumpUntil([&] { return view.rows.empty(); }, 15000)) << "the row goes once reads succeed";
    EXPECT_EQ(AlarmMask.load() & 0x10000u, 0u);
}

TEST_F(Connection, ConnectionClockRestartsAfterADay) {
    startSim(55);
    quietRelay();
    connect();
    for (int s = 0; s < 86400; ++s) engine().superviseLink();
    engine().pump(view);
    EXPECT_EQ(view.text(id::ConnectionClock), "00 : 00 : 00");
}

TEST_F(Connection, LostTcpConnectionDisconnectsThenTellsTheOperator) {
    startSim(55);
    quietRelay();
    connect();
    ASSERT_TRUE(waitCycles(2));
    sim->stop();
    ASSERT_TRUE(pumpUntil([&] { return !engine().connected(); }, 15000));
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.texts()[0], "Połączenie zostało zerwane!");
    EXPECT_EQ(prompt.asked[0].request.caption.toStdString(), "UWAGA");
    EXPECT_EQ(prompt.asked[0].request.icon, PromptIcon::Error);
    EXPECT_FALSE(prompt.asked[0].connected) << "the message follows the disconnect";
    EXPECT_EQ(PollingThreadRunning.load(), 0);
    engine().pump(view);
    EXPECT_EQ(view.text(id::StatusLabel), text::kStatusDisconnected);
}

} // namespace
