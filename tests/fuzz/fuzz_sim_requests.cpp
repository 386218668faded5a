// Relay simulator: arbitrary request frames through the request decoding and
// the register model (reads, checked writes, commands), and arbitrary console
// lines through the console.
#include "Console.h"
#include "ModbusServer.h"
#include "RelayModel.h"
#include "RelaySimulator.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace relvo7::sim;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    static SimOptions options = [] {
        SimOptions o;
        o.commissioned = true;
        return o;
    }();
    RelayModel model(options);
    const int header = (data[0] & 1) ? 7 : 1;
    const DecodedRequest req = decodeRequest(data + 1, int(size - 1), header);
    if (req.kind == DecodedRequest::Read) {
        for (int i = 0; i < req.count; ++i)
            if (model.exists(req.first + i))
                (void)model.value(req.first + i);
    } else if (req.kind == DecodedRequest::Write) {
        (void)model.write(req.first, req.value);
        model.advance(0.5);
    }

    // The same bytes as console lines (the model clock is frozen; "advance"
    // is skipped, its long runs are slow by design, not faulty).
    static RelaySimulator* sim = [] {
        auto* s = new RelaySimulator(options);
        s->freeze(true);
        return s;
    }();
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        if (line.find("advance") == std::string::npos && line.find("freeze") == std::string::npos)
            (void)runConsoleCommand(*sim, line);
        start = end + 1;
    }
    return 0;
}
