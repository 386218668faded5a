#pragma once
// Parsed command line of one verb: positional words, options with values and
// flags. Parsing is strict: an unknown option or a missing value is a usage error.
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace relvo7::cli {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Args {
public:
    // Throws UsageError.
    static Args parse(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
                      const std::set<std::string>& flagOptions);

    const std::vector<std::string>& positional() const { return positional_; }
    bool flag(const std::string& name) const { return flags_.count(name) != 0; }
    std::optional<std::string> value(const std::string& name) const;

    // Integer option or positional in [min, max]; throws UsageError naming `what`.
    long integer(const std::string& option, long fallback, long min, long max) const;
    static long parseInteger(const std::string& text, const std::string& what, long min, long max);

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> values_;
    std::set<std::string> flags_;
};

} // namespace relvo7::cli
