// Real byte channels for link-library tests: a pseudo-terminal pair and a
// loopback TCP listener, with bounded reads and writes for scripted peers.
#pragma once
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// openpty pair: the library opens slavePath(); the test speaks on master().
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    int master() const { return master_; }
    int slave() const { return slave_; }          // kept open so the line never hangs up
    const std::string& slavePath() const { return path_; }
    std::u16string slavePath16() const;

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

// Listening socket on 127.0.0.1 with a free port.
class TcpListener {
public:
    TcpListener();
    ~TcpListener();
    TcpListener(const TcpListener&) = delete;
    TcpListener& operator=(const TcpListener&) = delete;

    uint16_t port() const { return port_; }
    // Accepts one connection; -1 after the time-out.
    int accept(std::chrono::milliseconds timeout);

private:
    int fd_ = -1;
    uint16_t port_ = 0;
};

// Reads exactly n bytes unless the time-out passes or the peer closes first.
Bytes readBytes(int fd, size_t n, std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));
void writeBytes(int fd, const Bytes& bytes);
// A 16-bit CRC-16/MODBUS appended low byte first.
Bytes withCrc(Bytes frame);
std::u16string u16(const std::string& ascii);
// A free TCP port on 127.0.0.1 with nothing listening on it.
uint16_t closedPort();

// The descriptor of this process's TCP socket connected to 127.0.0.1:port, or -1.
int findConnectedSocket(uint16_t peerPort);
// SO_RCVTIMEO and SO_SNDTIMEO of a socket, in milliseconds.
long receiveTimeoutMs(int fd);
long sendTimeoutMs(int fd);
