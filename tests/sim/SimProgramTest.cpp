// relvo7-sim as a program: options, first line, serving, console on stdin.
#include <gtest/gtest.h>
#include <modbus/modbus.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

// The program with pipes on its standard input and output.
struct Program {
    pid_t pid = -1;
    int in = -1;   // we write its standard input
    int out = -1;  // we read its standard output
    std::string buffered;

    explicit Program(const std::vector<std::string>& args)
    {
        int toChild[2], fromChild[2];
        if (pipe(toChild) != 0 || pipe(fromChild) != 0)
            return;
        pid = fork();
        if (pid == 0) {
            dup2(toChild[0], 0);
            dup2(fromChild[1], 1);
            close(toChild[1]);
            close(fromChild[0]);
            std::vector<char*> argv;
            argv.push_back(const_cast<char*>(RELVO7_SIM_PROGRAM));
            for (const auto& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(RELVO7_SIM_PROGRAM, argv.data());
            _exit(127);
        }
        close(toChild[0]);
        close(fromChild[1]);
        in = toChild[1];
        out = fromChild[0];
    }

    ~Program()
    {
        if (pid > 0 && waitFor(std::chrono::milliseconds(0)) < 0) {
            kill(pid, SIGTERM);
            waitFor(std::chrono::milliseconds(3000));
            if (pid > 0)
                kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
        }
        close(in);
        close(out);
    }

    // One line of output, or "" after the time limit.
    std::string line(std::chrono::milliseconds limit = std::chrono::milliseconds(5000))
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (buffered.find('\n') == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            pollfd p{out, POLLIN, 0};
            if (left.count() <= 0 || poll(&p, 1, int(left.count())) <= 0)
                return "";
            char buf[256];
            const ssize_t n = read(out, buf, sizeof buf);
            if (n <= 0)
                return "";
            buffered.append(buf, size_t(n));
        }
        const auto nl = buffered.find('\n');
        std::string l = buffered.substr(0, nl);
        buffered.erase(0, nl + 1);
        return l;
    }

    void send(const std::string& text) { (void)!write(in, text.data(), text.size()); }

    // Exit status, or -1 while it still runs after the limit.
    int waitFor(std::chrono::milliseconds limit)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        do {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        } while (std::chrono::steady_clock::now() < end);
        return -1;
    }
};

int readVersion(modbus_t* ctx)
{
    uint16_t v = 0;
    return modbus_read_registers(ctx, 217, 1, &v) == 1 ? v : -1;
}

TEST(SimProgram, TcpServesAndObeysTheConsole)
{
    Program sim({"--tcp", "127.0.0.1:0", "--version", "21", "--seed", "5"});
    const std::string first = sim.line();
    ASSERT_EQ(first.rfind("Modbus TCP on 127.0.0.1:", 0), 0u) << first;
    const int port = std::stoi(first.substr(first.find(':') + 1));
    modbus_t* ctx = modbus_new_tcp("127.0.0.1", port);
    ASSERT_EQ(modbus_connect(ctx), 0);
    EXPECT_EQ(readVersion(ctx), 21);
    sim.send("fail 217 4\n");
    EXPECT_EQ(sim.line(), "ok");
    EXPECT_EQ(readVersion(ctx), -1);
    sim.send("fail 217 0\nget 217\n");
    EXPECT_EQ(sim.line(), "ok");
    EXPECT_EQ(sim.line(), "217 = 21");
    sim.send("quit\n");
    EXPECT_EQ(sim.line(), "bye");
    EXPECT_EQ(sim.waitFor(std::chrono::milliseconds(5000)), 0);
    modbus_close(ctx);
    modbus_free(ctx);
}

TEST(SimProgram, PtyPathIsTheFirstLine)
{
    Program sim({"--rtu-pty", "--address", "3"});
    const std::string path = sim.line();
    ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;
    modbus_t* ctx = modbus_new_rtu(path.c_str(), 9600, 'N', 8, 2);
    ASSERT_EQ(modbus_connect(ctx), 0);
    modbus_set_slave(ctx, 3);
    EXPECT_EQ(readVersion(ctx), 55);
    modbus_close(ctx);
    modbus_free(ctx);
    sim.send("quit\n");
    EXPECT_EQ(sim.waitFor(std::chrono::milliseconds(5000)), 0);
}

TEST(SimProgram, BadOptionsAreRefused)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--version", "0"},
                                                 {"--version", "100"}, {"--address", "x"}, {"--tcp", "1:99999"},
                                                 {"--frobnicate"}, {"--rtu"}}) {
        Program sim(args);
        EXPECT_EQ(sim.waitFor(std::chrono::milliseconds(5000)), 2) << args[0];
    }
}

} // namespace
