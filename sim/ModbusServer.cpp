#include "ModbusServer.h"

#include <modbus/modbus.h>

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>

namespace relvo7::sim {

namespace {

constexpr int kMaxClients = 32;
constexpr uint32_t kIdleWakeUs = 200000; // how often a waiting server looks at its running flag
// libmodbus pauses for the response time-out before it answers an unknown
// function (to let the line settle); keep that pause short.
constexpr uint32_t kFlushPauseUs = 50000;

struct Mappings {
    modbus_mapping_t* registers = modbus_mapping_new(0, 0, 65536, 0);
    modbus_mapping_t* empty = modbus_mapping_new(0, 0, 0, 0);
    ~Mappings()
    {
        modbus_mapping_free(registers);
        modbus_mapping_free(empty);
    }
};

// Answers one request. Returns the length of the reply in bytes (0 when the
// request is not answered).
int answer(modbus_t* ctx, RequestHandler& handler, Mappings& maps, const uint8_t* query, int length,
           bool broadcast)
{
    const DecodedRequest req = decodeRequest(query, length, modbus_get_header_length(ctx));
    const int header = modbus_get_header_length(ctx) + 1; // header plus the function code
    switch (req.kind) {
    case DecodedRequest::Short:
        return 0;
    case DecodedRequest::BadCount:
        if (handler.silent() || broadcast)
            return 0;
        modbus_reply_exception(ctx, query, MODBUS_EXCEPTION_ILLEGAL_DATA_VALUE);
        return header + 1;
    case DecodedRequest::Read: {
        ReadResult r = handler.readRegisters(req.first, req.count);
        if (req.first + req.count > 65536 && !r.silent && r.exception == 0)
            r.exception = MODBUS_EXCEPTION_ILLEGAL_DATA_ADDRESS; // past the end of the address space
        if (r.silent || broadcast)
            return 0;
        if (r.exception != 0 || r.values.size() != size_t(req.count)) {
            modbus_reply_exception(ctx, query, static_cast<unsigned>(r.exception ? r.exception : 4));
            return header + 1;
        }
        // The reply is served from this snapshot, taken under the simulator's lock.
        for (int i = 0; i < req.count; ++i)
            maps.registers->tab_registers[req.first + i] = r.values[static_cast<size_t>(i)];
        modbus_reply(ctx, query, length, maps.registers);
        return header + 1 + 2 * req.count;
    }
    case DecodedRequest::Write: {
        WriteResult w = handler.writeRegister(req.first, req.value);
        if (w.silent || broadcast)
            return 0;
        if (w.exception != 0) {
            modbus_reply_exception(ctx, query, static_cast<unsigned>(w.exception));
            return header + 1;
        }
        modbus_reply(ctx, query, length, maps.registers); // echoes the request
        return header + 4;
    }
    case DecodedRequest::Other:
        break;
    }
    if (handler.silent() || broadcast)
        return 0;
    // Anything else: libmodbus answers as it does for a device without such data.
    const int sent = modbus_reply(ctx, query, length, maps.empty);
    return sent > 0 ? sent : 0;
}

} // namespace

DecodedRequest decodeRequest(const uint8_t* adu, int length, int headerLength)
{
    DecodedRequest d;
    if (!adu || headerLength < 1 || length < headerLength + 1)
        return d;
    const int f = headerLength;
    d.function = adu[f];
    auto word = [&](int at) { return (adu[at] << 8) | adu[at + 1]; };
    if (d.function != 0x03 && d.function != 0x06) {
        d.kind = DecodedRequest::Other;
        return d;
    }
    if (length < f + 5)
        return d; // Short: no complete address and count/value
    d.first = word(f + 1);
    if (d.function == 0x06) {
        d.kind = DecodedRequest::Write;
        d.value = static_cast<uint16_t>(word(f + 3));
        return d;
    }
    d.count = word(f + 3);
    const bool fits = d.count >= 1 && d.count <= MODBUS_MAX_READ_REGISTERS;
    d.kind = fits ? DecodedRequest::Read : DecodedRequest::BadCount;
    return d;
}

double lineSeconds(int requestBytes, int replyBytes, int baud)
{
    if (baud <= 0)
        return 0.0;
    const double charSeconds = 11.0 / baud;
    return (requestBytes + replyBytes + 2 * 3.5) * charSeconds;
}

// ---------------------------------------------------------------- TCP

struct TcpServer::Client {
    int fd = -1;
    std::thread thread;
    std::atomic<bool> finished{false};
};

TcpServer::TcpServer(RequestHandler& handler) : handler_(handler) {}
TcpServer::~TcpServer() { stop(); }

int TcpServer::start(const std::string& host, int port)
{
    if (running_)
        return -1;
    listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0)
        return -1;
    const int yes = 1;
    setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    if (inet_pton(AF_INET, host.c_str(), &addr.sin_addr) != 1 ||
        bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(listenFd_, 16) != 0) {
        close(listenFd_);
        listenFd_ = -1;
        return -1;
    }
    socklen_t len = sizeof addr;
    getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
    running_ = true;
    acceptThread_ = std::thread([this] { acceptLoop(); });
    return ntohs(addr.sin_port);
}

void TcpServer::stop()
{
    if (!acceptThread_.joinable())
        return;
    running_ = false;
    acceptThread_.join();
    close(listenFd_);
    listenFd_ = -1;
}

void TcpServer::acceptLoop()
{
    while (running_) {
        pollfd p{listenFd_, POLLIN, 0};
        const int ready = poll(&p, 1, 100);
        reapFinished(false);
        if (ready <= 0)
            continue;
        const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        if (clients_.size() >= kMaxClients) {
            close(fd); // too many clients at once; this one is turned away
            continue;
        }
        const int yes = 1;
        setsockopt(fd, IPPROTO_TCP, 1 /* TCP_NODELAY */, &yes, sizeof yes);
        auto client = std::make_unique<Client>();
        client->fd = fd;
        Client* raw = client.get();
        client->thread = std::thread([this, raw] { serveClient(raw); });
        clients_.push_back(std::move(client));
    }
    // Wake every client thread at once, then wait for them.
    for (auto& c : clients_)
        shutdown(c->fd, SHUT_RDWR);
    reapFinished(true);
}

void TcpServer::reapFinished(bool all)
{
    for (auto it = clients_.begin(); it != clients_.end();) {
        if (all || (*it)->finished) {
            (*it)->thread.join();
            close((*it)->fd); // closed only after its thread is gone, so the number is never reused early
            it = clients_.erase(it);
        } else {
            ++it;
        }
    }
}

void TcpServer::serveClient(Client* client)
{
    modbus_t* ctx = modbus_new_tcp("127.0.0.1", 502);
    if (ctx) {
        modbus_set_socket(ctx, client->fd);
        modbus_set_indication_timeout(ctx, 0, kIdleWakeUs);
        modbus_set_response_timeout(ctx, 0, kFlushPauseUs);
        Mappings maps;
        uint8_t query[MODBUS_TCP_MAX_ADU_LENGTH];
        while (running_) {
            const int rc = modbus_receive(ctx, query);
            if (rc > 0) {
                answer(ctx, handler_, maps, query, rc, false);
            } else if (rc < 0 && errno != ETIMEDOUT) {
                break; // closed by the peer or a malformed frame: drop this client only
            }
        }
        modbus_set_socket(ctx, -1); // the socket is closed by the accept thread
        modbus_free(ctx);
    }
    client->finished = true;
}

// ---------------------------------------------------------------- RTU

RtuServer::~RtuServer() { stop(); }

std::string RtuServer::startPty()
{
    if (running_)
        return {};
    masterFd_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (masterFd_ < 0)
        return {};
    char name[128] = {};
    if (grantpt(masterFd_) != 0 || unlockpt(masterFd_) != 0 || ptsname_r(masterFd_, name, sizeof name) != 0) {
        close(masterFd_);
        masterFd_ = -1;
        return {};
    }
    slaveKeepFd_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveKeepFd_ >= 0) {
        termios t{};
        if (tcgetattr(slaveKeepFd_, &t) == 0) {
            cfmakeraw(&t); // no echo of the replies back into the server
            tcsetattr(slaveKeepFd_, TCSANOW, &t);
        }
    }
    modbus_t* ctx = modbus_new_rtu(name, baud_, 'N', 8, 2);
    if (!ctx) {
        stop();
        return {};
    }
    modbus_set_socket(ctx, masterFd_);
    if (!startWithContext(ctx))
        return {};
    return name;
}

bool RtuServer::startDevice(const std::string& device)
{
    if (running_)
        return false;
    modbus_t* ctx = modbus_new_rtu(device.c_str(), baud_, 'N', 8, 2);
    if (!ctx)
        return false;
    if (modbus_connect(ctx) != 0) {
        modbus_free(ctx);
        return false;
    }
    return startWithContext(ctx);
}

bool RtuServer::startWithContext(void* c)
{
    auto* ctx = static_cast<modbus_t*>(c);
    if (modbus_set_slave(ctx, address_) != 0) {
        modbus_set_socket(ctx, -1);
        modbus_free(ctx);
        stop();
        return false;
    }
    modbus_set_indication_timeout(ctx, 0, kIdleWakeUs);
    modbus_set_response_timeout(ctx, 0, kFlushPauseUs);
    modbus_set_byte_timeout(ctx, 0, 100000);
    ctx_ = ctx;
    running_ = true;
    thread_ = std::thread([this] { serveLoop(); });
    return true;
}

void RtuServer::stop()
{
    running_ = false;
    if (thread_.joinable())
        thread_.join();
    if (ctx_) {
        auto* ctx = static_cast<modbus_t*>(ctx_);
        if (masterFd_ >= 0)
            modbus_set_socket(ctx, -1); // the pty is closed below, not by libmodbus
        else
            modbus_close(ctx);
        modbus_free(ctx);
        ctx_ = nullptr;
    }
    if (masterFd_ >= 0)
        close(masterFd_);
    if (slaveKeepFd_ >= 0)
        close(slaveKeepFd_);
    masterFd_ = slaveKeepFd_ = -1;
}

void RtuServer::serveLoop()
{
    auto* ctx = static_cast<modbus_t*>(ctx_);
    Mappings maps;
    uint8_t query[MODBUS_RTU_MAX_ADU_LENGTH];
    while (running_) {
        const int rc = modbus_receive(ctx, query);
        if (rc > 0) {
            const bool broadcast = query[0] == 0;
            if (lineDelay_) {
                // Hold the reply for the time the exchange takes on a real line.
                const int offset = modbus_get_header_length(ctx);
                int replyBytes = 5;
                if (query[offset] == 0x03 && rc >= 8)
                    replyBytes = 5 + 2 * ((query[offset + 3] << 8) | query[offset + 4]);
                else if (query[offset] == 0x06)
                    replyBytes = 8;
                const auto hold = std::chrono::duration<double>(lineSeconds(rc, replyBytes, baud_));
                std::this_thread::sleep_for(hold);
            }
            answer(ctx, handler_, maps, query, rc, broadcast);
        } else if (rc < 0 && errno != ETIMEDOUT) {
            // A bad CRC, a cut frame or garbage: drop what is waiting and go on.
            modbus_flush(ctx);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
}

} // namespace relvo7::sim
