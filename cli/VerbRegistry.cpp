#include "Verb.h"

namespace relvo7::cli {

namespace {
std::vector<Verb>& registry() {
    static std::vector<Verb> verbs;
    return verbs;
}
} // namespace

const std::vector<Verb>& allVerbs() { return registry(); }

void registerVerb(Verb verb) { registry().push_back(std::move(verb)); }

} // namespace relvo7::cli
