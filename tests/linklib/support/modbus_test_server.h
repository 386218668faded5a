// A Modbus server built on libmodbus, for tests and benchmarks of the link
// library: over TCP on 127.0.0.1 (a free port) or over RTU on the master side
// of a pseudo-terminal. Serves holding registers 0..999 of device 1.
#pragma once
#include <atomic>
#include <cstdint>
#include <thread>

struct _modbus;
struct _modbus_mapping_t;

class ModbusTestServer {
public:
    // Register r holds valueOf(r) until written.
    static uint16_t valueOf(uint16_t reg) { return static_cast<uint16_t>(reg * 7 + 3); }

    static ModbusTestServer tcp();                 // listens on 127.0.0.1, port()
    static ModbusTestServer rtu(int ptyMasterFd);  // does not own the descriptor

    ModbusTestServer(ModbusTestServer&& other) noexcept;
    ModbusTestServer& operator=(ModbusTestServer&&) = delete;
    ~ModbusTestServer();

    uint16_t port() const { return port_; }
    uint16_t holding(uint16_t reg) const;   // read after stop() or between calls

    void start();
    void stop();

private:
    ModbusTestServer() = default;
    void serveTcp();
    void serveRtu();

    _modbus* ctx_ = nullptr;
    _modbus_mapping_t* map_ = nullptr;
    int listenFd_ = -1;
    int rtuFd_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> running_{false};
    std::thread thread_;
};
