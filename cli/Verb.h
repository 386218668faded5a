#pragma once
// relvo7ctl's verbs. Each verb lives in its own file and registers itself with
// a static VerbRegistrar; main() finds it by name, parses the options it
// declares and runs it.
#include <string>
#include <vector>

#include "Args.h"

namespace relvo7::cli {

enum ExitCode { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

struct Verb {
    std::string name;                      // "read", or "db info" for a two-word verb
    std::string synopsis;                  // "read REG [COUNT]"
    std::string summary;                   // one line for --help
    std::vector<std::string> valueOptions; // options that take a value, e.g. "--interval"
    std::vector<std::string> flagOptions;  // options without a value, e.g. "--once"
    bool usesLink = false;                 // accepts the connection options
    int (*run)(const Args&) = nullptr;
};

const std::vector<Verb>& allVerbs();
void registerVerb(Verb verb);

struct VerbRegistrar {
    explicit VerbRegistrar(Verb verb) { registerVerb(std::move(verb)); }
};

} // namespace relvo7::cli
