// identify, read, write: the relay's registers straight through the link library.
#include <iostream>
#include <sstream>

#include "Connection.h"
#include "DeviceLink.h"
#include "Json.h"
#include "LinkOptions.h"
#include "Verb.h"
#include "relvo7link.h"

namespace relvo7::cli {
namespace {

// Opens the link for the verb's lifetime and closes it on every path.
class LinkSession {
public:
    explicit LinkSession(const LinkTarget& t) : target_(t) { open_ = openLink(t, error_); }
    ~LinkSession() {
        if (open_) closeLink(target_);
    }
    bool open() const { return open_; }
    const std::string& error() const { return error_; }

private:
    LinkTarget target_;
    bool open_ = false;
    std::string error_;
};

int fail(const std::string& verb, const std::string& reason) {
    std::cerr << "relvo7ctl " << verb << ": " << reason << "\n";
    return ExitFailure;
}

int runIdentify(const Args& args) {
    if (!args.positional().empty()) throw UsageError("identify takes no arguments");
    LinkTarget target = linkTargetFromArgs(args);
    LinkSession link(target);
    if (!link.open()) return fail("identify", link.error());
    panel::RealLink relay;
    const panel::IdentifyResult r = panel::identifyRelay(relay, target.address, target.retries);
    if (!r.accepted) {
        std::ostringstream why;
        if (r.answered)
            why << "the relay reports software version " << r.version << ", outside the accepted "
                << dll_nVerMinor << " to " << dll_nVerMajor;
        else
            why << "no answer from the relay at address " << target.address << " ("
                << describeLinkResult(r.lastResult) << ")";
        return fail("identify", why.str());
    }
    if (args.flag("--json"))
        std::cout << "{\"version\":" << r.version << ",\"address\":" << target.address << ",\"transport\":"
                  << jsonString(target.tcp ? "tcp" : "rtu") << "}\n";
    else
        std::cout << r.version << "\n";
    return ExitOk;
}

int runRead(const Args& args) {
    const auto& pos = args.positional();
    if (pos.empty() || pos.size() > 2) throw UsageError("read needs REG and an optional COUNT");
    const long first = Args::parseInteger(pos[0], "REG", 0, 65535);
    const long count = pos.size() > 1 ? Args::parseInteger(pos[1], "COUNT", 1, 125) : 1;
    if (first + count > 65536) throw UsageError("REG + COUNT runs past register 65535");
    LinkTarget target = linkTargetFromArgs(args);
    LinkSession link(target);
    if (!link.open()) return fail("read", link.error());

    uint8_t buffer[256] = {};
    int rc = 0;
    for (uint32_t attempt = 0; attempt < attemptsFor(target.retries); ++attempt) {
        rc = MODBUS_Read03(target.address, static_cast<uint32_t>(first), static_cast<uint32_t>(count), buffer,
                           sizeof buffer);
        if (rc > 0) break;
    }
    if (rc <= 0) return fail("read", "register " + std::to_string(first) + ": " + describeLinkResult(rc));
    if (rc != 2 * count)
        return fail("read", "the relay sent " + std::to_string(rc) + " data bytes for " + std::to_string(count) +
                                " registers");

    if (args.flag("--json")) {
        std::cout << "{\"register\":" << first << ",\"count\":" << count << ",\"values\":[";
        for (long i = 0; i < count; ++i) std::cout << (i ? "," : "") << (buffer[2 * i] * 256 + buffer[2 * i + 1]);
        std::cout << "]}\n";
    } else {
        for (long i = 0; i < count; ++i) {
            const unsigned v = buffer[2 * i] * 256u + buffer[2 * i + 1];
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%04X", v);
            std::cout << (first + i) << " = " << v << " (" << hex << ")\n";
        }
    }
    return ExitOk;
}

int runWrite(const Args& args) {
    const auto& pos = args.positional();
    if (pos.size() != 2) throw UsageError("write needs REG and VALUE");
    const long reg = Args::parseInteger(pos[0], "REG", 0, 65535);
    const long value = Args::parseInteger(pos[1], "VALUE", -32768, 65535);
    LinkTarget target = linkTargetFromArgs(args);
    LinkSession link(target);
    if (!link.open()) return fail("write", link.error());

    const int32_t wire = static_cast<int32_t>(value);
    int rc = 0;
    for (uint32_t attempt = 0; attempt < attemptsFor(target.retries); ++attempt) {
        rc = MODBUS_Write06(target.address, static_cast<uint32_t>(reg), &wire);
        if (rc == 1) break;
    }
    if (rc != 1) return fail("write", "register " + std::to_string(reg) + ": " + describeLinkResult(rc));
    if (args.flag("--json"))
        std::cout << "{\"register\":" << reg << ",\"value\":" << value << ",\"written\":true}\n";
    else
        std::cout << "register " << reg << " = " << value << " written\n";
    return ExitOk;
}

const VerbRegistrar identifyVerb({"identify", "identify", "read the relay's software version (register 217)",
                                  {}, {}, true, runIdentify});
const VerbRegistrar readVerb({"read", "read REG [COUNT]", "read COUNT holding registers from REG (function 03)",
                              {}, {}, true, runRead});
const VerbRegistrar writeVerb({"write", "write REG VALUE", "write one holding register (function 06)", {}, {}, true,
                               runWrite});

} // namespace
} // namespace relvo7::cli
