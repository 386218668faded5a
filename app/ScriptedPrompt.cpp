#include "ScriptedPrompt.h"

namespace relvo7 {

PromptButton ScriptedPrompt::ask(const PromptRequest& request)
{
    std::lock_guard lock(m_mutex);
    m_shown.append(request);
    if (m_answers.isEmpty()) {
        ++m_unscripted;
        return request.defaultButton;
    }
    return m_answers.takeFirst();
}

void ScriptedPrompt::addAnswer(PromptButton answer)
{
    std::lock_guard lock(m_mutex);
    m_answers.append(answer);
}

QList<PromptRequest> ScriptedPrompt::shown() const
{
    std::lock_guard lock(m_mutex);
    return m_shown;
}

int ScriptedPrompt::unscripted() const
{
    std::lock_guard lock(m_mutex);
    return m_unscripted;
}

void ScriptedPrompt::clear()
{
    std::lock_guard lock(m_mutex);
    m_answers.clear();
    m_shown.clear();
    m_unscripted = 0;
}

} // namespace relvo7
