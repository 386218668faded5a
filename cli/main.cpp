// relvo7ctl: the RELVO-7 relay from the command line, for scripts and machines
// without a display. Exit status: 0 success, 1 link or device failure, 2 usage.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <set>

#include "Verb.h"
#include "LinkOptions.h"

using namespace relvo7::cli;

namespace {

void printHelp(std::ostream& out) {
    out << "relvo7ctl - talk to a RELVO-7 motor-protection relay over Modbus RTU or Modbus TCP\n\n"
           "usage: relvo7ctl VERB [ARGUMENTS] [OPTIONS]\n\nverbs:\n";
    std::vector<Verb> verbs = allVerbs();
    std::sort(verbs.begin(), verbs.end(), [](const Verb& a, const Verb& b) { return a.name < b.name; });
    size_t width = 0;
    for (const auto& v : verbs) width = std::max(width, v.synopsis.size());
    for (const auto& v : verbs)
        out << "  " << v.synopsis << std::string(width - v.synopsis.size() + 2, ' ') << v.summary << "\n";
    out << "\nconnection options (verbs that talk to the relay):\n"
           "  --tcp HOST[:PORT]        Modbus TCP (port 502 unless given)\n"
           "  --serial DEVICE          Modbus RTU on a serial port (ttyUSB0, /dev/ttyS1, ...)\n"
           "  --baud 9600|19200        line speed (9600)\n"
           "  --data 5|6|7|8           data bits (8)\n"
           "  --parity none|odd|even   parity (none)\n"
           "  --stop 1|2               stop bits (2)\n"
           "  --address N              relay address (1)\n"
           "  --timeout MS             reply time-out in milliseconds (500)\n"
           "  --retries N              attempts per operation (3)\n"
           "\ncommon options:\n"
           "  --json                   one JSON object instead of text\n"
           "  --help                   this text\n";
}

// The longest registered verb name that the words start with ("db info" before "db").
const Verb* findVerb(const std::vector<std::string>& words, size_t& used) {
    const Verb* best = nullptr;
    for (const auto& v : allVerbs()) {
        std::vector<std::string> parts;
        size_t start = 0;
        for (size_t sp; (sp = v.name.find(' ', start)) != std::string::npos; start = sp + 1)
            parts.push_back(v.name.substr(start, sp - start));
        parts.push_back(v.name.substr(start));
        if (parts.size() > words.size()) continue;
        if (!std::equal(parts.begin(), parts.end(), words.begin())) continue;
        if (!best || parts.size() > used) {
            best = &v;
            used = parts.size();
        }
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        printHelp(words.empty() ? std::cerr : std::cout);
        return words.empty() ? ExitUsage : ExitOk;
    }
    size_t used = 0;
    const Verb* verb = findVerb(words, used);
    if (!verb) {
        std::cerr << "relvo7ctl: unknown verb '" << words[0] << "' (relvo7ctl --help lists them)\n";
        return ExitUsage;
    }
    std::vector<std::string> rest(words.begin() + static_cast<long>(used), words.end());
    if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
        std::cout << "usage: relvo7ctl " << verb->synopsis << "\n  " << verb->summary << "\n";
        return ExitOk;
    }
    std::set<std::string> valueOptions(verb->valueOptions.begin(), verb->valueOptions.end());
    std::set<std::string> flagOptions(verb->flagOptions.begin(), verb->flagOptions.end());
    flagOptions.insert("--json");
    if (verb->usesLink) valueOptions.insert(linkValueOptions().begin(), linkValueOptions().end());
    try {
        Args args = Args::parse(rest, valueOptions, flagOptions);
        return verb->run(args);
    } catch (const UsageError& e) {
        std::cerr << "relvo7ctl " << verb->name << ": " << e.what() << "\nusage: relvo7ctl " << verb->synopsis
                  << "\n";
        return ExitUsage;
    }
}
