#include "Console.h"

#include "RelaySimulator.h"

#include <charconv>
#include <cstdio>
#include <map>
#include <sstream>
#include <vector>

namespace relvo7::sim {

namespace {

const char* const kHelp =
    "commands:\n"
    "  get REG [COUNT]        show registers\n"
    "  set REG VALUE          set a register as it stands (measurements stay pinned until release)\n"
    "  release REG|all        let the model compute pinned registers again\n"
    "  write REG VALUE        write as a Modbus client would (checked; prints the exception)\n"
    "  alarm BIT on|off       set or clear an alarm bit (0-31)\n"
    "  trip oc|thermal|phaseloss|undervoltage|overvoltage\n"
    "  load PERCENT           motor load relative to the rated current\n"
    "  voltage VOLTS          mains line voltage (400)\n"
    "  phaseloss on|off       the motor loses phase 3\n"
    "  start | stop | reset   motor start, stop, fault reset\n"
    "  restart                the relay restarts (silent for 2 s)\n"
    "  freeze on|off          stop or resume the model clock\n"
    "  advance SECONDS        run the model forward\n"
    "  silence MS             stop answering for MS milliseconds\n"
    "  fail REG CODE          answer REG with exception CODE (1-11; 0 clears)\n"
    "  demo on|off            play the demo scenario\n"
    "  status                 motor, fault, alarms, heating\n"
    "  help | quit";

bool toInt(const std::string& s, long& out)
{
    const char* b = s.data();
    const char* e = b + s.size();
    auto [p, ec] = std::from_chars(b, e, out);
    return ec == std::errc() && p == e;
}

bool toDouble(const std::string& s, double& out)
{
    try {
        size_t used = 0;
        out = std::stod(s, &used);
        return used == s.size();
    } catch (...) {
        return false;
    }
}

bool onOff(const std::string& s, bool& out)
{
    if (s == "on" || s == "1") { out = true; return true; }
    if (s == "off" || s == "0") { out = false; return true; }
    return false;
}

std::string statusText(const SimStatus& s)
{
    char buf[256];
    std::snprintf(buf, sizeof buf,
                  "motor %s, %s, alarms 0x%08X, heating %.0f %%, load %.0f %%, model time %.1f s%s%s%s%s",
                  s.running ? "running" : "stopped", s.fault ? "FAULT" : "no fault", s.alarms, s.heatingPercent,
                  s.loadPercent, s.modelSeconds, s.frozen ? ", frozen" : "", s.answering ? "" : ", not answering",
                  s.demo ? ", demo: " : "", s.demo ? s.demoPhase.c_str() : "");
    return buf;
}

} // namespace

std::string runConsoleCommand(RelaySimulator& sim, const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> w;
    for (std::string t; in >> t;)
        w.push_back(t);
    if (w.empty())
        return "";
    const std::string& cmd = w[0];
    const auto usage = [&](const char* text) { return std::string("usage: ") + text; };
    long a = 0, b = 0;
    double d = 0;
    bool flag = false;

    if (cmd == "help" || cmd == "?")
        return kHelp;
    if (cmd == "quit" || cmd == "exit")
        return "bye";
    if (cmd == "status")
        return statusText(sim.status());
    if (cmd == "get") {
        if (w.size() < 2 || w.size() > 3 || !toInt(w[1], a) || (w.size() == 3 && !toInt(w[2], b)))
            return usage("get REG [COUNT]");
        const long count = w.size() == 3 ? b : 1;
        if (a < 0 || a > 65535 || count < 1 || count > 125)
            return "error: register 0-65535, count 1-125";
        std::string out;
        for (long r = a; r < a + count; ++r)
            out += (out.empty() ? "" : "\n") + std::to_string(r) + " = " + std::to_string(sim.registerValue(int(r)));
        return out;
    }
    if (cmd == "set" || cmd == "write") {
        if (w.size() != 3 || !toInt(w[1], a) || !toInt(w[2], b))
            return usage(cmd == "set" ? "set REG VALUE" : "write REG VALUE");
        if (a < 0 || a > 65535 || b < -32768 || b > 65535)
            return "error: register 0-65535, value -32768-65535";
        const auto value = static_cast<uint16_t>(b);
        if (cmd == "set") {
            sim.setRegister(int(a), value);
            return "ok";
        }
        const int exception = sim.writeRegister(int(a), value);
        return exception == 0 ? "ok" : "exception " + std::to_string(exception);
    }
    if (cmd == "release") {
        if (w.size() != 2 || (w[1] != "all" && !toInt(w[1], a)))
            return usage("release REG|all");
        sim.releaseRegister(w[1] == "all" ? -1 : int(a));
        return "ok";
    }
    if (cmd == "alarm") {
        if (w.size() != 3 || !toInt(w[1], a) || a < 0 || a > 31 || !onOff(w[2], flag))
            return usage("alarm BIT(0-31) on|off");
        sim.setAlarmBit(int(a), flag);
        return "ok";
    }
    if (cmd == "trip") {
        static const std::map<std::string, Protection> names = {
            {"oc", Protection::OverCurrent},           {"overcurrent", Protection::OverCurrent},
            {"thermal", Protection::ThermalOverload},  {"phaseloss", Protection::PhaseLoss},
            {"undervoltage", Protection::UnderVoltage}, {"uv", Protection::UnderVoltage},
            {"overvoltage", Protection::OverVoltage},  {"ov", Protection::OverVoltage}};
        auto it = w.size() == 2 ? names.find(w[1]) : names.end();
        if (it == names.end())
            return usage("trip oc|thermal|phaseloss|undervoltage|overvoltage");
        sim.trip(it->second);
        return "ok";
    }
    if (cmd == "load" || cmd == "voltage") {
        if (w.size() != 2 || !toDouble(w[1], d) || d < 0 || d > 1000)
            return usage(cmd == "load" ? "load PERCENT" : "voltage VOLTS");
        if (cmd == "load")
            sim.setLoadPercent(d);
        else
            sim.setLineVoltage(d);
        return "ok";
    }
    if (cmd == "phaseloss" || cmd == "freeze" || cmd == "demo") {
        if (w.size() != 2 || !onOff(w[1], flag))
            return usage((cmd + " on|off").c_str());
        if (cmd == "phaseloss")
            sim.setPhaseLost(flag);
        else if (cmd == "freeze")
            sim.freeze(flag);
        else
            sim.setDemo(flag);
        return "ok";
    }
    if (cmd == "start" || cmd == "stop" || cmd == "reset" || cmd == "restart") {
        if (w.size() != 1)
            return usage(cmd.c_str());
        if (cmd == "start") {
            sim.startMotor();
            return sim.status().running ? "ok" : "refused (fault state or no rated current in 152)";
        }
        if (cmd == "stop")
            sim.stopMotor();
        else if (cmd == "reset")
            sim.resetFault();
        else
            sim.writeRegister(237, 88);
        return "ok";
    }
    if (cmd == "advance") {
        if (w.size() != 2 || !toDouble(w[1], d) || d < 0 || d > 7 * 24 * 3600)
            return usage("advance SECONDS");
        sim.advanceSeconds(d);
        return "ok";
    }
    if (cmd == "silence") {
        if (w.size() != 2 || !toInt(w[1], a) || a < 0 || a > 3600000)
            return usage("silence MS");
        sim.silenceFor(int(a));
        return "ok";
    }
    if (cmd == "fail") {
        if (w.size() != 3 || !toInt(w[1], a) || !toInt(w[2], b) || a < 0 || a > 65535 || b < 0 || b > 11)
            return usage("fail REG CODE(1-11, 0 clears)");
        sim.failRegister(int(a), int(b));
        return "ok";
    }
    return "unknown command '" + cmd + "' (help lists them)";
}

} // namespace relvo7::sim
