#pragma once
// A child process for the tests that need a recorder (or relvo7ctl) outside
// their own process: spawned with posix_spawn, stdout read through a pipe,
// every wait bounded.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace relvo7::test {

// A program run as a child process with its stdout on a pipe; args[0] is its path.
class ChildProcess {
public:
    explicit ChildProcess(std::vector<std::string> args) {
        int fds[2];
        if (::pipe(fds) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addclose(&actions, fds[1]);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, args[0].c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        out_ = fds[0];
    }
    ~ChildProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) ::close(out_);
    }
    bool started() const { return pid_ > 0; }

    // Reads what has arrived within `wait`; false at end of output.
    bool pump(std::chrono::milliseconds wait) {
        pollfd p{out_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(wait.count())) <= 0) return true;
        char buf[4096];
        const ssize_t n = ::read(out_, buf, sizeof buf);
        if (n <= 0) return false;
        text_.append(buf, static_cast<std::size_t>(n));
        return true;
    }
    void readToEnd() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (pump(std::chrono::milliseconds(100)) && std::chrono::steady_clock::now() < deadline) {
        }
    }
    // Exit status after the output has ended; -1 on a signal or a hang.
    int wait() {
        readToEnd();
        int status = 0;
        for (int i = 0; i < 6000; ++i) {
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }
    // The text printed so far.
    const std::string& text() const { return text_; }
    void killNow() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
        readToEnd();
    }
    std::vector<std::string> lines() const {
        std::vector<std::string> l;
        std::istringstream in(text_);
        for (std::string s; std::getline(in, s);) l.push_back(s);
        return l;
    }
    // The highest "w N" printed (records whose write had returned).
    uint64_t lastWritten() const {
        uint64_t n = 0;
        for (const auto& l : lines())
            if (l.rfind("w ", 0) == 0) n = std::max<uint64_t>(n, std::stoull(l.substr(2)));
        return n;
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string text_;
};

} // namespace relvo7::test
