#include "LinkOptions.h"

#include <arpa/inet.h>
#include <netdb.h>

#include "TextCodec.h"
#include "relvo7link.h"

namespace relvo7::cli {

const std::vector<std::string>& linkValueOptions() {
    static const std::vector<std::string> names = {"--tcp",  "--serial",  "--baud",    "--data", "--parity",
                                                   "--stop", "--address", "--timeout", "--retries"};
    return names;
}

namespace {

std::string resolveIpv4(const std::string& host) {
    in_addr probe{};
    if (inet_pton(AF_INET, host.c_str(), &probe) == 1) return host;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
        throw UsageError("cannot resolve host '" + host + "'");
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr, text, sizeof text);
    freeaddrinfo(found);
    return text;
}

uint32_t choice(const Args& args, const std::string& option, const std::vector<std::string>& names,
                uint32_t fallback, const std::vector<uint32_t>& indexes) {
    auto v = args.value(option);
    if (!v) return fallback;
    for (size_t i = 0; i < names.size(); ++i)
        if (*v == names[i]) return indexes[i];
    std::string allowed;
    for (const auto& n : names) allowed += (allowed.empty() ? "" : "|") + n;
    throw UsageError(option + " must be " + allowed + ", not '" + *v + "'");
}

} // namespace

LinkTarget linkTargetFromArgs(const Args& args) {
    LinkTarget t;
    auto tcp = args.value("--tcp");
    auto serial = args.value("--serial");
    if (tcp && serial) throw UsageError("give either --tcp or --serial, not both");
    if (!tcp && !serial) throw UsageError("say how to reach the relay: --tcp HOST[:PORT] or --serial DEVICE");
    if (tcp) {
        t.tcp = true;
        std::string host = *tcp;
        if (auto colon = host.rfind(':'); colon != std::string::npos) {
            t.port = static_cast<uint32_t>(Args::parseInteger(host.substr(colon + 1), "port", 1, 65535));
            host = host.substr(0, colon);
        }
        if (host.empty()) throw UsageError("--tcp needs a host");
        t.host = resolveIpv4(host);
    } else {
        t.device = *serial;
        if (t.device.empty()) throw UsageError("--serial needs a device");
        t.baudIndex = choice(args, "--baud", {"9600", "19200"}, 0, {0, 1});
        t.dataBitsIndex = choice(args, "--data", {"5", "6", "7", "8"}, 3, {0, 1, 2, 3});
        t.parityIndex = choice(args, "--parity", {"none", "odd", "even"}, 0, {0, 1, 2});
        t.stopBitsIndex = choice(args, "--stop", {"1", "2"}, 2, {0, 2});
    }
    t.address = static_cast<uint32_t>(args.integer("--address", 1, 0, 255));
    t.timeoutMs = static_cast<uint32_t>(args.integer("--timeout", 500, 1, 600000));
    t.retries = static_cast<uint32_t>(args.integer("--retries", 3, 0, 1000));
    return t;
}

bool openLink(const LinkTarget& t, std::string& error) {
    DLL_SetIOTimeout(t.timeoutMs);
    if (t.tcp) {
        int rc = TCP_Open(toUtf16(t.host).c_str(), t.port);
        if (rc != LINK_OK) {
            error = "cannot connect to " + t.host + ":" + std::to_string(t.port) + " (" + describeLinkResult(rc) + ")";
            TCP_Close();
            return false;
        }
        return true;
    }
    int rc = COM_Open(toUtf16(t.device).c_str());
    if (rc != LINK_OK) {
        error = "cannot open serial port " + t.device + " (" + describeLinkResult(rc) + ")";
        COM_Close();
        return false;
    }
    rc = COM_Setup(t.baudIndex, t.dataBitsIndex, t.parityIndex, t.stopBitsIndex);
    if (rc != LINK_OK) {
        error = "cannot configure serial port " + t.device + " (" + describeLinkResult(rc) + ")";
        COM_Close();
        return false;
    }
    return true;
}

void closeLink(const LinkTarget& t) {
    if (t.tcp)
        TCP_Close();
    else
        COM_Close();
}

std::string describeLinkResult(int code) {
    switch (code) {
    case LINK_OK: return "ok";
    case COM_ERR_OPEN: return "port cannot be opened";
    case COM_ERR_SETUP: return "line settings refused";
    case TCP_ERR_SOCKET: return "no socket";
    case TCP_ERR_CONNECT: return "connection refused or failed";
    case LINK_ERR_LENGTH: return "length error";
    case TCP_ERR_STARTUP: return "network start-up failed";
    case MODBUS_ERR_IO: return "no transport open or I/O error";
    case MODBUS_ERR_TIMEOUT: return "time-out";
    case MODBUS_ERR_EXCEPTION: return "exception code " + std::to_string(MODBUS_GetDeviceError());
    case MODBUS_ERR_CRC: return "CRC error";
    case MODBUS_ERR_ANSWER: return "answer from another device or function";
    case MODBUS_ERR_CLOSED: return "connection closed";
    case MODBUS_ERR_ECHO: return "write not echoed";
    case MODBUS_ERR_OVERFLOW: return "receive overflow";
    default: return "result " + std::to_string(code);
    }
}

} // namespace relvo7::cli
