// What the transaction core needs from a transport: a small table of routines.
// The serial port (serial_port.cpp) and the TCP connection (tcp_socket.cpp)
// each provide one; tests and the fuzz target provide their own.
#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>

#include "receive_area.h"

namespace relvo7link {

enum class Framing : uint8_t { Rtu, Tcp };

struct Transport {
    Framing framing;
    // True while the port or socket exists.
    bool (*isOpen)();
    // Drops stale bytes (serial), empties the receive area and sends the whole
    // request. Returns 0 or a result code (-100 serial, -106 TCP).
    int (*sendRequest)(const uint8_t* frame, size_t size);
    // Waits until more than `seen` reply bytes are in or the deadline passes.
    // Returns the count then (equal to `seen` at the deadline) or a negative
    // result code (-100 read failure, -108 overflow).
    int (*awaitReply)(uint32_t seen, Clock::time_point deadline);
    // The reply bytes; valid below the count awaitReply returned.
    const uint8_t* (*replyBytes)();
};

}  // namespace relvo7link
