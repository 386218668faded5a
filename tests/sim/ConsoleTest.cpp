// The console commands of relvo7-sim.
#include "RelayRegisters.h"
#include "RelaySimulator.h"

#include <gtest/gtest.h>

using namespace relvo7::sim;
namespace r = relvo7::sim::reg;

TEST(SimConsole, CommandsDriveTheSimulator)
{
    RelaySimulator sim;
    EXPECT_EQ(sim.execute("freeze on"), "ok");
    EXPECT_NE(sim.execute("help").find("trip oc|thermal"), std::string::npos);
    EXPECT_EQ(sim.execute("get 217"), "217 = 55");
    EXPECT_EQ(sim.execute("get 240 2"), "240 = 64\n241 = 0");

    EXPECT_EQ(sim.execute("set 123 1000"), "ok");
    EXPECT_EQ(sim.execute("advance 2"), "ok");
    EXPECT_EQ(sim.registerValue(123), 1000);
    EXPECT_EQ(sim.execute("release 123"), "ok");
    EXPECT_EQ(sim.registerValue(123), r::SensorOff);

    EXPECT_EQ(sim.execute("write 151 19"), "exception 3");
    EXPECT_EQ(sim.execute("write 152 40"), "ok");
    EXPECT_EQ(sim.execute("write 221 1"), "ok");
    EXPECT_EQ(sim.execute("load 50"), "ok");
    EXPECT_EQ(sim.execute("start"), "ok");
    EXPECT_TRUE(sim.status().running);
    EXPECT_EQ(sim.execute("advance 30"), "ok");
    EXPECT_NEAR(sim.registerValue(100), 200, 10);

    EXPECT_EQ(sim.execute("trip thermal"), "ok");
    EXPECT_TRUE(sim.status().fault);
    EXPECT_EQ(sim.registerValue(241), 1u << r::AlarmThermal);
    EXPECT_NE(sim.execute("status").find("FAULT"), std::string::npos);
    EXPECT_EQ(sim.execute("start"), "refused (fault state or no rated current in 152)");
    EXPECT_EQ(sim.execute("reset"), "ok");
    EXPECT_FALSE(sim.status().fault);

    EXPECT_EQ(sim.execute("alarm 25 on"), "ok");
    EXPECT_EQ(sim.registerValue(242), 1u << 9);
    EXPECT_EQ(sim.execute("alarm 25 off"), "ok");

    EXPECT_EQ(sim.execute("fail 217 4"), "ok");
    EXPECT_EQ(sim.execute("silence 50"), "ok");
    EXPECT_EQ(sim.execute("voltage 300"), "ok");
    EXPECT_EQ(sim.execute("phaseloss off"), "ok");
    EXPECT_EQ(sim.execute("demo off"), "ok");
    EXPECT_EQ(sim.execute("quit"), "bye");
    EXPECT_EQ(sim.execute(""), "");
}

TEST(SimConsole, BadInputIsExplainedNotActedOn)
{
    RelaySimulator sim;
    const char* bad[] = {"get", "get x", "get 100 0", "get 100 126", "get -1", "set 100", "set 100 70000",
                         "alarm 32 on", "alarm 1 maybe", "trip nothing", "load -5", "load abc", "freeze",
                         "advance -1", "silence x", "fail 217 12", "release", "start now"};
    for (const char* line : bad) {
        const std::string out = sim.execute(line);
        EXPECT_TRUE(out.rfind("usage:", 0) == 0 || out.rfind("error:", 0) == 0) << line << " -> " << out;
    }
    EXPECT_EQ(sim.execute("frobnicate"), "unknown command 'frobnicate' (help lists them)");
    EXPECT_FALSE(sim.status().fault);
}

TEST(SimDemo, PlaysThroughTheSimulatorClock)
{
    SimOptions o;
    o.demoScenario = true;
    RelaySimulator sim(o);
    sim.freeze(true);
    sim.advanceSeconds(10.0);
    EXPECT_TRUE(sim.status().running);
    EXPECT_TRUE(sim.status().demo);
    bool tripped = false;
    for (int i = 0; i < 25 && !tripped; ++i) {
        sim.advanceSeconds(10.0);
        tripped = sim.status().fault;
    }
    ASSERT_TRUE(tripped);
    const int p = sim.registerValue(r::JournalPointer);
    EXPECT_EQ(sim.registerValue(r::JournalFirst + 4 * ((p + 1) % 5)), r::AlarmThermal);
    EXPECT_EQ(sim.execute("demo off"), "ok");
    EXPECT_FALSE(sim.status().demo);
}
