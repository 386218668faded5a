// The demo scenario, run on model time.
#include "DemoScenario.h"
#include "RelaySimulator.h"

#include <gtest/gtest.h>

using namespace relvo7::sim;
namespace r = relvo7::sim::reg;

TEST(DemoScenario, OneLoopShowsStartOverloadTripJournalAndRestart)
{
    SimOptions o;
    RelayModel m(o);
    DemoScenario demo;
    bool started = false, sawCountdown = false, tripped = false, sawRestartDelay = false, restarted = false;
    int startingCurrent = 0;
    for (int i = 0; i < int(DemoScenario::kLoopSeconds * 10) - 1; ++i) {
        m.advance(0.1);
        demo.update(m);
        started = started || m.running();
        startingCurrent = std::max<int>(startingCurrent, m.value(r::StartingCurrent));
        if (m.value(r::OverloadCountdown) <= 600)
            sawCountdown = true;
        if (m.fault() && (m.alarms() & (1u << r::AlarmThermal)))
            tripped = true;
        if (tripped && m.value(r::RestartCountdown) < 900)
            sawRestartDelay = true;
        if (sawRestartDelay && m.running())
            restarted = true;
    }
    EXPECT_TRUE(started);
    EXPECT_GT(startingCurrent, 1500); // 5.5 x 40 A at the start
    EXPECT_TRUE(sawCountdown);
    EXPECT_TRUE(tripped);
    EXPECT_TRUE(sawRestartDelay);
    EXPECT_TRUE(restarted);
    const int p = m.value(r::JournalPointer);
    EXPECT_EQ(m.value(r::JournalFirst + 4 * ((p + 1) % 5)), r::AlarmThermal);
    EXPECT_FALSE(m.running()); // stopped at the end of the loop

    // The next loop starts the motor again.
    for (int i = 0; i < 30; ++i) {
        m.advance(0.1);
        demo.update(m);
    }
    EXPECT_TRUE(m.running());
}
