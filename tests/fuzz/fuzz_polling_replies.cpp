// The polling cycle's decoding of reply bytes: every read the cycle makes is
// answered from the fuzz input with a result code and data bytes of any
// length (short, long, garbage, failures, a transport that vanishes), for any
// relay version and any inputs-used-as-buttons setting.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "DeviceLink.h"
#include "PanelModel.h"
#include "PanelView.h"
#include "PollingCycle.h"
#include "SharedState.h"

namespace {

using namespace relvo7;
using namespace relvo7::panel;

class FuzzLink : public DeviceLink {
public:
    FuzzLink(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    void setIoTimeout(uint32_t) override {}
    int comOpen(const std::u16string&) override { return 0; }
    int comSetup(uint32_t, uint32_t, uint32_t, uint32_t) override { return 0; }
    int comClose() override { return 0; }
    bool comIsOpen() override { return open_; }
    int tcpOpen(const std::u16string&, uint32_t) override { return 0; }
    int tcpClose() override { return 0; }
    bool tcpIsOpen() override { return false; }
    int write06(uint32_t, uint32_t, int32_t) override { return 1; }

    int read03(uint32_t, uint32_t, uint32_t, uint8_t* buffer, uint32_t size) override {
        if (pos_ >= size_) {
            PollingThreadRunning.store(0); // input used up: stop the cycle
            return -102;
        }
        const uint8_t mode = data_[pos_++];
        if (mode == 0xFF) open_ = false; // the transport goes away
        if (mode & 0x80) return -static_cast<int>(mode & 0x7F) - 100;
        const uint32_t length = mode % 52; // 0..51: short, exact and long replies
        const size_t available = size_ - pos_;
        const size_t copy = std::min<size_t>({length, size, available});
        std::memcpy(buffer, data_ + pos_, copy);
        pos_ += copy;
        return static_cast<int>(length > size ? size : length);
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool open_ = true;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    DeviceVersion.store(10 + data[0] % 46);
    PollingConfig config;
    config.analogTemp1 = data[1] & 1;
    config.analogTemp2 = data[1] & 2;
    config.analogCurrent = data[1] & 4;
    config.analogVoltage = data[1] & 8;
    config.cyclePause = std::chrono::microseconds(0);
    config.onLostTransport = [] {};
    AlarmMask.store(0);

    FuzzLink link(data + 2, size - 2);
    PanelModel model;
    PollingShared shared;
    shared.powerChoice[0].store(data[1] >> 4);
    PollingCycle(link, model, shared, config).run();

    // Whatever came in, the list the window would show matches the mask.
    uint32_t listed = 0;
    for (const AlarmRow& row : model.alarmRows()) {
        if (row.itemData < 0 || row.itemData > 31 || (listed & (1u << row.itemData))) __builtin_trap();
        listed |= 1u << row.itemData;
    }
    if (listed != AlarmMask.load()) __builtin_trap();
    return 0;
}
