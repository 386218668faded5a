#include "DemoSession.h"

#include "settings/SettingsStore.h"

namespace relvo7::panel::ui {

DemoSession::DemoSession() : previousProfile_(ProfileFilePath()) {
    if (profileDir_.isValid()) SetProfileFilePath(profileDir_.filePath(QStringLiteral("demo-profile.conf")));
    sim::SimOptions options;
    options.demoScenario = true;
    simulator_ = std::make_unique<sim::RelaySimulator>(options);
    port_ = profileDir_.isValid() ? simulator_->startTcp("127.0.0.1", 0) : -1;
}

DemoSession::~DemoSession() {
    simulator_.reset();
    SetProfileFilePath(previousProfile_);
}

void prepareDemoSettings(SettingsRecord& record, int port) {
    record = DefaultSettingsRecord();
    AssignSettingsText(record.szPortName, std::u16string_view(kModbusTcpPortName));
    record.nIpAddress = 0x7F000001u;
    record.nTcpPort = static_cast<uint32_t>(port);
    record.nDeviceAddress = 1;
    record.bAutoConnect = 1;
    record.bPassword = 0;
    record.bAutoStart = 0;
}

} // namespace relvo7::panel::ui
