// Feeds arbitrary reply bytes to the RTU and TCP transactions of the link
// library through a transport without a line.
//
// Input: byte 0 selects the path (bit 0: TCP, bit 1: function 06, bit 2: the
// first TCP chunk carries the request's transaction identifier), byte 1 is the
// caller's buffer size, then chunks as [length][bytes], one per wait.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "relvo7link.h"
#include "support/fake_transport.h"
#include "transaction.h"

using namespace relvo7link;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t mode = data[0];
    const Framing framing = (mode & 1) ? Framing::Tcp : Framing::Rtu;
    const uint8_t function = (mode & 2) ? 0x06 : 0x03;
    const uint32_t bufferSize = data[1];

    fake_transport::Script script;
    script.stampTransactionId = (mode & 4) != 0;
    for (size_t at = 2; at < size;) {
        const size_t length = data[at++];
        const size_t take = length < size - at ? length : size - at;
        script.chunks.emplace_back(data + at, data + at + take);
        at += take;
    }
    fake_transport::reset(std::move(script));

    // Exactly the size the caller claims, so a write past it is caught.
    auto buffer = std::make_unique<uint8_t[]>(bufferSize);
    const Request request{function, 1, 100, function == 0x03 ? uint16_t{10} : uint16_t{0x0102}, buffer.get(),
                          bufferSize};
    const Transport transport = fake_transport::transport(framing);
    const int result = runTransaction(transport, request, 1000);

    if (function == 0x03 && result > 0 && static_cast<uint32_t>(result) > bufferSize)
        abort();   // more data claimed than the buffer holds
    if (function == 0x03 && result > 0 && static_cast<size_t>(result) > fake_transport::received.size())
        abort();   // more data than was received
    if (function == 0x06 && result > 1)
        abort();
    return 0;
}
