#pragma once
// What the panel tests share: the real link library with a window onto its
// traffic, a prompt answered from a script, and a fixture that runs the
// engine against the relay simulator.
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "DeviceLink.h"
#include "PanelEngine.h"
#include "PanelModel.h"
#include "Prompt.h"
#include "RecordingView.h"
#include "RelaySimulator.h"
#include "SharedState.h"

namespace relvo7::panel::testing {

// RealLink that remembers which registers were read and written, from any thread.
class CountingLink : public RealLink {
public:
    struct Read {
        uint32_t first, count;
        int result;
    };
    struct Write {
        uint32_t reg;
        int32_t value;
        int result;
    };
    int read03(uint32_t address, uint32_t first, uint32_t count, uint8_t* buffer, uint32_t size) override {
        const int r = RealLink::read03(address, first, count, buffer, size);
        std::lock_guard lock(mutex_);
        reads_.push_back({first, count, r});
        return r;
    }
    int write06(uint32_t address, uint32_t reg, int32_t value) override {
        const int r = RealLink::write06(address, reg, value);
        std::lock_guard lock(mutex_);
        writes_.push_back({reg, value, r});
        return r;
    }
    int tcpOpen(const std::u16string& address, uint32_t port) override {
        ++opens_;
        return RealLink::tcpOpen(address, port);
    }
    int comOpen(const std::u16string& name) override {
        ++opens_;
        return RealLink::comOpen(name);
    }
    std::vector<Read> reads() const {
        std::lock_guard lock(mutex_);
        return reads_;
    }
    std::vector<Write> writes() const {
        std::lock_guard lock(mutex_);
        return writes_;
    }
    size_t readsOf(uint32_t first) const {
        std::lock_guard lock(mutex_);
        size_t n = 0;
        for (const auto& r : reads_) n += r.first == first;
        return n;
    }
    int opens() const { return opens_.load(); }
    void clear() {
        std::lock_guard lock(mutex_);
        reads_.clear();
        writes_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<Read> reads_;
    std::vector<Write> writes_;
    std::atomic<int> opens_{0};
};

// Answers from a script (then each question's default button) and records
// every request together with whether the panel was connected at that moment.
class ScriptPrompt : public Prompt {
public:
    struct Asked {
        PromptRequest request;
        bool connected;
    };
    std::deque<PromptButton> answers;
    std::vector<Asked> asked;

    PromptButton ask(const PromptRequest& r) override {
        asked.push_back({r, PanelConnected.load() == 1});
        if (answers.empty()) return r.defaultButton;
        const PromptButton b = answers.front();
        answers.pop_front();
        return b;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& a : asked) out.push_back(a.request.text.toStdString());
        return out;
    }
};

class SimPanelTest : public ::testing::Test {
protected:
    // A simulator serving Modbus TCP with its values held still.
    void startSim(int version = 55) {
        sim::SimOptions options;
        options.version = version;
        sim = std::make_unique<sim::RelaySimulator>(options);
        sim->freeze(true);
        const int port = sim->startTcp();
        ASSERT_GT(port, 0);
        settings.szPortName = u"Modbus TCP";
        settings.nIpAddress = 0x7F000001u;
        settings.nTcpPort = static_cast<uint32_t>(port);
        settings.nTimeout = 500; // generous on a loaded machine; tests of silence set less
        settings.nRetries = 1;
    }

    // A quiet relay: no fault, no alarm, a rated current, remote control off.
    void quietRelay() {
        sim->setRegister(240, 0);
        sim->setRegister(241, 0);
        sim->setRegister(242, 0);
        sim->setRegister(152, 50);
        sim->setRegister(221, 0);
    }

    PanelEngine& engine() {
        if (!engine_) {
            EngineTimings timings;
            timings.disconnectWait = std::chrono::milliseconds(0);
            engine_ = std::make_unique<PanelEngine>(link, model, prompt, [this] { return settings; }, timings);
        }
        return *engine_;
    }

    void connect() {
        engine().ToggleConnection();
        ASSERT_TRUE(engine().connected()) << (prompt.asked.empty() ? "" : prompt.texts().back());
    }

    // Pumps the engine into the view until `done` holds; bounded in time.
    bool pumpUntil(const std::function<bool()>& done, int ms = 8000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            engine().pump(view);
            if (done()) return true;
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    bool waitCycles(uint64_t n) { return pumpUntil([&] { return engine().polling().cycles.load() >= n; }); }
    bool waitText(int id, const std::string& text) { return pumpUntil([&] { return view.text(id) == text; }); }

    void TearDown() override {
        if (engine_ && engine_->connected()) engine_->ToggleConnection();
        engine_.reset();
        sim.reset();
    }

    std::unique_ptr<sim::RelaySimulator> sim;
    ConnectionSettings settings;
    CountingLink link;
    PanelModel model;
    ScriptPrompt prompt;
    RecordingView view;

private:
    std::unique_ptr<PanelEngine> engine_;
};

} // namespace relvo7::panel::testing
