#include "Prompt.h"

#include <atomic>
#include <cstdio>

namespace relvo7 {

namespace {

// Before the GUI has set its prompt (or in a program without windows) a
// message goes to the error stream and the request's default button answers.
class StderrPrompt final : public Prompt {
public:
    PromptButton ask(const PromptRequest& r) override
    {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(r.caption), qUtf8Printable(r.text));
        return r.defaultButton;
    }
};

StderrPrompt g_stderrPrompt;
std::atomic<Prompt*> g_prompt{nullptr};

} // namespace

Prompt& prompt()
{
    Prompt* p = g_prompt.load();
    return p ? *p : g_stderrPrompt;
}

void setPrompt(Prompt* p) { g_prompt.store(p); }

} // namespace relvo7
