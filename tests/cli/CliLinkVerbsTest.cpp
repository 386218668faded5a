// relvo7ctl identify/read/write as a user runs them: the real program against
// the simulated relay over loopback TCP, checking output and exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "RelaySimulator.h"

namespace {

struct CtlRun {
    int status = -1;
    std::string out; // standard output and standard error together
};

CtlRun relvo7ctl(const std::string& args) {
    CtlRun r;
    const std::string command = std::string(RELVO7CTL_PATH) + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return r;
    std::array<char, 512> chunk{};
    while (size_t n = fread(chunk.data(), 1, chunk.size(), pipe)) r.out.append(chunk.data(), n);
    const int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

class CliAgainstSimulator : public ::testing::Test {
protected:
    void SetUp() override {
        port_ = sim_.startTcp();
        ASSERT_GT(port_, 0);
        tcp_ = " --tcp 127.0.0.1:" + std::to_string(port_);
    }
    relvo7::sim::RelaySimulator sim_;
    int port_ = 0;
    std::string tcp_;
};

TEST_F(CliAgainstSimulator, IdentifyPrintsTheSoftwareVersion) {
    CtlRun plain = relvo7ctl("identify" + tcp_);
    EXPECT_EQ(plain.status, 0) << plain.out;
    EXPECT_EQ(plain.out, "55\n");

    CtlRun json = relvo7ctl("identify --json" + tcp_);
    EXPECT_EQ(json.status, 0) << json.out;
    EXPECT_EQ(json.out, "{\"version\":55,\"address\":1,\"transport\":\"tcp\"}\n");
}

TEST_F(CliAgainstSimulator, ReadShowsRegistersInOrder) {
    sim_.freeze(true);
    sim_.setRegister(100, 573);
    sim_.setRegister(101, 0xBEEF);
    CtlRun r = relvo7ctl("read 100 2" + tcp_);
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "100 = 573 (0x023D)\n101 = 48879 (0xBEEF)\n");

    CtlRun json = relvo7ctl("read 217 --json" + tcp_);
    EXPECT_EQ(json.out, "{\"register\":217,\"count\":1,\"values\":[55]}\n");
}

TEST_F(CliAgainstSimulator, DeviceRefusalsAndSilenceAreNamedAndExitOne) {
    CtlRun missing = relvo7ctl("read 5000" + tcp_);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("exception code 2"), std::string::npos) << missing.out;

    CtlRun badWrite = relvo7ctl("write 5000 1" + tcp_);
    EXPECT_EQ(badWrite.status, 1);
    EXPECT_NE(badWrite.out.find("exception code 2"), std::string::npos) << badWrite.out;

    sim_.silenceFor(1500);
    CtlRun silent = relvo7ctl("read 100 --timeout 100 --retries 1" + tcp_);
    EXPECT_EQ(silent.status, 1);
    EXPECT_NE(silent.out.find("time-out"), std::string::npos) << silent.out;
}

TEST(CliWithoutRelay, RefusedVersionAndClosedPortExitOne) {
    relvo7::sim::SimOptions options;
    options.version = 9;
    relvo7::sim::RelaySimulator old(options);
    const int port = old.startTcp();
    ASSERT_GT(port, 0);
    CtlRun refused = relvo7ctl("identify --tcp 127.0.0.1:" + std::to_string(port));
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find("software version 9"), std::string::npos) << refused.out;
    old.stop();

    CtlRun closed = relvo7ctl("identify --retries 1 --tcp 127.0.0.1:" + std::to_string(port));
    EXPECT_EQ(closed.status, 1);
    EXPECT_NE(closed.out.find("cannot connect"), std::string::npos) << closed.out;
}

TEST(CliUsage, MistakesExitTwoWithAReason) {
    const struct {
        const char* args;
        const char* says;
    } cases[] = {
        {"", "usage: relvo7ctl"},
        {"frobnicate", "unknown verb"},
        {"read --tcp 127.0.0.1", "REG"},
        {"read 100 126 --tcp 127.0.0.1", "COUNT must be"},
        {"read 100 --bogus --tcp 127.0.0.1", "unknown option --bogus"},
        {"identify", "--tcp HOST[:PORT] or --serial DEVICE"},
        {"identify --tcp 127.0.0.1 --serial ttyS0", "not both"},
        {"identify --serial ttyS0 --baud 4800", "--baud must be 9600|19200"},
        {"identify --tcp 127.0.0.1:0", "port must be"},
        {"write 237 70000 --tcp 127.0.0.1", "VALUE must be"},
        {"identify --tcp", "--tcp needs a value"},
    };
    for (const auto& c : cases) {
        CtlRun r = relvo7ctl(c.args);
        EXPECT_EQ(r.status, 2) << c.args << "\n" << r.out;
        EXPECT_NE(r.out.find(c.says), std::string::npos) << c.args << "\n" << r.out;
    }
}

} // namespace
