#include "modbus_test_server.h"

#include <modbus/modbus.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <vector>

namespace {
constexpr int kRegisters = 1000;
constexpr int kPollMs = 20;   // how often the serving loop looks at its stop flag

void fill(modbus_mapping_t* map)
{
    for (int r = 0; r < kRegisters; ++r)
        map->tab_registers[r] = ModbusTestServer::valueOf(static_cast<uint16_t>(r));
}
}  // namespace

ModbusTestServer ModbusTestServer::tcp()
{
    ModbusTestServer s;
    s.ctx_ = modbus_new_tcp("127.0.0.1", 0);
    s.map_ = modbus_mapping_new(0, 0, kRegisters, 0);
    if (!s.ctx_ || !s.map_)
        throw std::runtime_error("libmodbus context");
    fill(s.map_);
    s.listenFd_ = modbus_tcp_listen(s.ctx_, 4);
    if (s.listenFd_ < 0)
        throw std::runtime_error("listen");
    sockaddr_in addr{};
    socklen_t len = sizeof addr;
    getsockname(s.listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
    s.port_ = ntohs(addr.sin_port);
    return s;
}

ModbusTestServer ModbusTestServer::rtu(int ptyMasterFd)
{
    ModbusTestServer s;
    // The device name is not opened: the server speaks on the given descriptor.
    s.ctx_ = modbus_new_rtu("/dev/null", 19200, 'N', 8, 1);
    s.map_ = modbus_mapping_new(0, 0, kRegisters, 0);
    if (!s.ctx_ || !s.map_)
        throw std::runtime_error("libmodbus context");
    fill(s.map_);
    modbus_set_slave(s.ctx_, 1);
    s.rtuFd_ = ptyMasterFd;
    return s;
}

ModbusTestServer::ModbusTestServer(ModbusTestServer&& o) noexcept
    : ctx_(o.ctx_), map_(o.map_), listenFd_(o.listenFd_), rtuFd_(o.rtuFd_), port_(o.port_)
{
    o.ctx_ = nullptr;
    o.map_ = nullptr;
    o.listenFd_ = -1;
    o.rtuFd_ = -1;
}

ModbusTestServer::~ModbusTestServer()
{
    stop();
    if (listenFd_ >= 0)
        close(listenFd_);
    if (map_)
        modbus_mapping_free(map_);
    if (ctx_)
        modbus_free(ctx_);
}

uint16_t ModbusTestServer::holding(uint16_t reg) const { return map_->tab_registers[reg]; }

void ModbusTestServer::start()
{
    running_ = true;
    thread_ = std::thread([this] { listenFd_ >= 0 ? serveTcp() : serveRtu(); });
}

void ModbusTestServer::stop()
{
    running_ = false;
    if (thread_.joinable())
        thread_.join();
}

void ModbusTestServer::serveTcp()
{
    std::vector<int> clients;
    uint8_t query[MODBUS_TCP_MAX_ADU_LENGTH];
    while (running_) {
        std::vector<pollfd> fds{{listenFd_, POLLIN, 0}};
        for (int c : clients)
            fds.push_back({c, POLLIN, 0});
        if (poll(fds.data(), fds.size(), kPollMs) <= 0)
            continue;
        if (fds[0].revents & POLLIN) {
            const int c = accept(listenFd_, nullptr, nullptr);
            if (c >= 0)
                clients.push_back(c);
        }
        for (size_t i = 1; i < fds.size(); ++i) {
            if (!fds[i].revents)
                continue;
            modbus_set_socket(ctx_, fds[i].fd);
            const int n = modbus_receive(ctx_, query);
            if (n > 0) {
                modbus_reply(ctx_, query, n, map_);
            } else if (n < 0) {
                close(fds[i].fd);
                std::erase(clients, fds[i].fd);
            }
        }
    }
    for (int c : clients)
        close(c);
    modbus_set_socket(ctx_, -1);
}

void ModbusTestServer::serveRtu()
{
    modbus_set_socket(ctx_, rtuFd_);
    uint8_t query[MODBUS_RTU_MAX_ADU_LENGTH];
    while (running_) {
        pollfd p{rtuFd_, POLLIN, 0};
        if (poll(&p, 1, kPollMs) <= 0 || !(p.revents & POLLIN))
            continue;
        const int n = modbus_receive(ctx_, query);
        if (n > 0)
            modbus_reply(ctx_, query, n, map_);
    }
    modbus_set_socket(ctx_, -1);
}
