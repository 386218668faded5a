#pragma once
// Serves Modbus TCP (one thread per client) and Modbus RTU (a serial device or
// a pseudo-terminal) with the libmodbus server API. Requests for functions 03
// and 06 go to a RequestHandler; every other function is answered by
// libmodbus itself from an empty register map.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace relvo7::sim {

struct ReadResult {
    bool silent = false;             // do not answer at all
    int exception = 0;               // answer with this exception code
    std::vector<uint16_t> values;    // otherwise these registers
};

struct WriteResult {
    bool silent = false;
    int exception = 0;
};

class RequestHandler {
public:
    virtual ~RequestHandler() = default;
    virtual ReadResult readRegisters(int first, int count) = 0;   // function 03
    virtual WriteResult writeRegister(int reg, uint16_t value) = 0; // function 06
    virtual bool silent() = 0;                                     // any other function
};

class TcpServer {
public:
    explicit TcpServer(RequestHandler& handler);
    ~TcpServer();
    // Listens on host:port (0 = a free port); returns the port or -1.
    int start(const std::string& host, int port);
    void stop();

private:
    struct Client;
    void acceptLoop();
    void serveClient(Client* client);
    void reapFinished(bool all);

    RequestHandler& handler_;
    std::atomic<bool> running_{false};
    int listenFd_ = -1;
    std::thread acceptThread_;
    std::vector<std::unique_ptr<Client>> clients_; // accept thread only
};

class RtuServer {
public:
    RtuServer(RequestHandler& handler, int address, int baud, bool lineDelay)
        : handler_(handler), address_(address), baud_(baud), lineDelay_(lineDelay) {}
    ~RtuServer();
    // A new pseudo-terminal pair; returns the path a client opens, or "".
    std::string startPty();
    // An existing serial device, 8 data bits, no parity, 2 stop bits.
    bool startDevice(const std::string& device);
    void stop();

private:
    bool startWithContext(void* ctx);
    void serveLoop();

    RequestHandler& handler_;
    int address_;
    int baud_;
    bool lineDelay_;
    void* ctx_ = nullptr;          // modbus_t*
    int masterFd_ = -1;            // pty: the side the server uses
    int slaveKeepFd_ = -1;         // pty: held open so the master never sees a hang-up
    std::atomic<bool> running_{false};
    std::thread thread_;
};

// One request as libmodbus delivered it (header, function, data), decoded.
struct DecodedRequest {
    enum Kind { Short, Read, Write, BadCount, Other } kind = Short;
    int function = -1;
    int first = 0;          // Read: first register; Write: the register
    int count = 0;          // Read: number of registers
    uint16_t value = 0;     // Write: the value
};
// headerLength: 7 for TCP (MBAP), 1 for RTU (address).
DecodedRequest decodeRequest(const uint8_t* adu, int length, int headerLength);

// Seconds a request and its reply of these lengths take on a serial line at
// baud (11 bits a character at 8N2, plus a 3.5-character gap after each).
double lineSeconds(int requestBytes, int replyBytes, int baud);

} // namespace relvo7::sim
