#include "Args.h"

#include <cerrno>
#include <cstdlib>

namespace relvo7::cli {

Args Args::parse(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
                 const std::set<std::string>& flagOptions) {
    Args args;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() < 2 || word.rfind("--", 0) != 0) {
            args.positional_.push_back(word);
            continue;
        }
        std::string name = word;
        std::optional<std::string> inlineValue;
        if (auto eq = word.find('='); eq != std::string::npos) {
            name = word.substr(0, eq);
            inlineValue = word.substr(eq + 1);
        }
        if (valueOptions.count(name)) {
            if (inlineValue) {
                args.values_[name] = *inlineValue;
            } else if (i + 1 < words.size()) {
                args.values_[name] = words[++i];
            } else {
                throw UsageError(name + " needs a value");
            }
        } else if (flagOptions.count(name) && !inlineValue) {
            args.flags_.insert(name);
        } else {
            throw UsageError("unknown option " + word);
        }
    }
    return args;
}

std::optional<std::string> Args::value(const std::string& name) const {
    auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

long Args::parseInteger(const std::string& text, const std::string& what, long min, long max) {
    errno = 0;
    char* end = nullptr;
    const int base = (text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0) ? 16 : 10;
    long v = std::strtol(text.c_str(), &end, base);
    if (text.empty() || errno != 0 || *end != '\0' || v < min || v > max)
        throw UsageError(what + " must be a number from " + std::to_string(min) + " to " + std::to_string(max) +
                         ", not '" + text + "'");
    return v;
}

long Args::integer(const std::string& option, long fallback, long min, long max) const {
    auto v = value(option);
    return v ? parseInteger(*v, option, min, max) : fallback;
}

} // namespace relvo7::cli
