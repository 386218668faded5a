// A transport without a line, for driving the transaction core directly (unit
// tests and the fuzz target): it records the request and hands the reply over
// in scripted chunks. The reply bytes are kept in an allocation of exactly the
// received size, so AddressSanitizer sees any read past what was received.
#pragma once
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "transport.h"

namespace fake_transport {

using Bytes = std::vector<uint8_t>;

struct Script {
    bool open = true;
    int sendResult = 0;
    std::vector<Bytes> chunks;   // delivered one per wait
    bool stampTransactionId = false;   // TCP: the first chunk starts with the request's identifier
};

inline Script script;
inline Bytes sent;
inline Bytes received;
inline size_t nextChunk = 0;
inline std::unique_ptr<uint8_t[]> view;
inline relvo7link::Framing framing = relvo7link::Framing::Rtu;

inline bool isOpen() { return script.open; }

inline int sendRequest(const uint8_t* frame, size_t size)
{
    sent.assign(frame, frame + size);
    received.clear();
    nextChunk = 0;
    return script.sendResult;
}

inline int awaitReply(uint32_t seen, relvo7link::Clock::time_point)
{
    using relvo7link::ReceiveArea;
    while (nextChunk < script.chunks.size()) {
        Bytes chunk = script.chunks[nextChunk++];
        if (script.stampTransactionId && nextChunk == 1 && chunk.size() >= 2 && sent.size() >= 2) {
            chunk[0] = sent[0];
            chunk[1] = sent[1];
        }
        if (received.size() + chunk.size() >= ReceiveArea::kSize) {
            if (framing == relvo7link::Framing::Rtu)
                return -108;   // the serial port refuses what would overflow
            continue;          // the TCP receiver drops such a chunk
        }
        received.insert(received.end(), chunk.begin(), chunk.end());
        if (received.size() > seen)
            break;
    }
    view = std::make_unique<uint8_t[]>(received.size());
    if (!received.empty())
        std::memcpy(view.get(), received.data(), received.size());
    return static_cast<int>(received.size());
}

inline const uint8_t* replyBytes() { return view.get(); }

inline relvo7link::Transport transport(relvo7link::Framing f)
{
    framing = f;
    return relvo7link::Transport{f, isOpen, sendRequest, awaitReply, replyBytes};
}

inline void reset(Script s)
{
    script = std::move(s);
    sent.clear();
    received.clear();
    nextChunk = 0;
}

}  // namespace fake_transport
