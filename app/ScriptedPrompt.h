#pragma once
// A Prompt for tests: records every request and answers from a script, in
// order. When the script runs out it answers the request's default button and
// counts the request as unscripted, so a test can see questions it did not
// expect. Safe to use from several threads.
#include "Prompt.h"

#include <QList>
#include <mutex>

namespace relvo7 {

class ScriptedPrompt final : public Prompt {
public:
    ScriptedPrompt() = default;
    explicit ScriptedPrompt(QList<PromptButton> answers) : m_answers(std::move(answers)) {}

    PromptButton ask(const PromptRequest& request) override;

    void addAnswer(PromptButton answer);
    QList<PromptRequest> shown() const;
    int unscripted() const;
    void clear();

private:
    mutable std::mutex m_mutex;
    QList<PromptButton> m_answers;
    QList<PromptRequest> m_shown;
    int m_unscripted = 0;
};

// Installs a prompt for the lifetime of a scope and restores "none" after.
class ScopedPrompt {
public:
    explicit ScopedPrompt(Prompt& p) { setPrompt(&p); }
    ~ScopedPrompt() { setPrompt(nullptr); }
    ScopedPrompt(const ScopedPrompt&) = delete;
    ScopedPrompt& operator=(const ScopedPrompt&) = delete;
};

} // namespace relvo7
