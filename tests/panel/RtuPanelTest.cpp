// The panel over Modbus RTU: the simulator on a pseudo-terminal pair.
#include "PanelIds.h"
#include "PanelTestSupport.h"
#include "relvo7link.h"

using namespace relvo7;
using namespace relvo7::panel;
using namespace relvo7::panel::testing;

namespace {

using RtuPanel = SimPanelTest;

std::u16string utf16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

TEST_F(RtuPanel, ConnectsPollsAndDisconnectsOverASerialLine) {
    sim::SimOptions options;
    options.version = 15;
    sim = std::make_unique<sim::RelaySimulator>(options);
    sim->freeze(true);
    const std::string pty = sim->startRtuPty();
    ASSERT_FALSE(pty.empty());
    quietRelay();
    sim->setRegister(100, 57);
    sim->setRegister(150, 1);
    sim->setRegister(151, 150);
    settings.szPortName = utf16(pty);
    settings.nTimeout = 300;
    settings.nRetries = 3;

    connect();
    EXPECT_EQ(DeviceVersion.load(), 15);
    ASSERT_TRUE(waitCycles(14));
    engine().pump(view);
    EXPECT_EQ(view.text(id::PhaseCurrent1), "57.0 А");
    EXPECT_EQ(LastReadOk.load(), 1);

    engine().ToggleConnection();
    EXPECT_EQ(COM_IsOpen(), 0);
    EXPECT_EQ(PollingThreadRunning.load(), 0);
}

TEST_F(RtuPanel, SilentSerialLineIsNoticedByTheWatchdogNotAsALostTransport) {
    sim = std::make_unique<sim::RelaySimulator>();
    sim->freeze(true);
    const std::string pty = sim->startRtuPty();
    ASSERT_FALSE(pty.empty());
    quietRelay();
    settings.szPortName = utf16(pty);
    settings.nTimeout = 100;
    connect();
    ASSERT_TRUE(pumpUntil([] { return LastReadOk.load() == 1; }));
    sim->silenceFor(2000);
    ASSERT_TRUE(pumpUntil([] { return LastReadOk.load() == 0; }));
    for (int tick = 0; tick < 6; ++tick) engine().superviseLink();
    engine().pump(view);
    EXPECT_TRUE(engine().connected()) << "a serial port stays open";
    EXPECT_EQ(view.rowItems(), (std::vector<int>{16}));
    EXPECT_TRUE(prompt.asked.empty());
}

} // namespace
