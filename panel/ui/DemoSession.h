#pragma once
// The demo run ("-demo"): a simulated relay playing its motor scenario on a
// free loopback port, and settings for it that live in memory only. The
// user's profile is not touched: while the session lives, every profile write
// (settings, power choices, recorder settings) goes to a file in a temporary
// folder that is removed at the end. QtCore only.
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "RelaySimulator.h"
#include "SettingsRecord.h"

namespace relvo7::panel::ui {

class DemoSession {
public:
    DemoSession();
    ~DemoSession(); // stops the simulator, points the profile back at the user's
    DemoSession(const DemoSession&) = delete;
    DemoSession& operator=(const DemoSession&) = delete;

    bool ok() const { return port_ > 0; }
    int port() const { return port_; }
    sim::RelaySimulator& simulator() { return *simulator_; }

private:
    QTemporaryDir profileDir_;
    QString previousProfile_;
    std::unique_ptr<sim::RelaySimulator> simulator_;
    int port_ = -1;
};

// The live settings record for the demo: defaults, Modbus TCP to 127.0.0.1 on
// `port`, address 1, automatic connection on, no password.
void prepareDemoSettings(SettingsRecord& record, int port);

} // namespace relvo7::panel::ui
