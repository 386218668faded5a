#include "ScriptedFileDialogs.h"

namespace relvo7 {

void ScriptedFileDialogs::addFileAnswer(const QString& path)
{
    std::lock_guard lock(m_mutex);
    m_files.append(path);
}

void ScriptedFileDialogs::addColorAnswer(std::optional<std::uint32_t> color)
{
    std::lock_guard lock(m_mutex);
    m_colors.append(color);
}

QList<ScriptedFileDialogs::Request> ScriptedFileDialogs::shown() const
{
    std::lock_guard lock(m_mutex);
    return m_shown;
}

QString ScriptedFileDialogs::nextFile(Kind kind, const FileDialogRequest& r)
{
    std::lock_guard lock(m_mutex);
    m_shown.append({kind, r, 0});
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

std::optional<std::uint32_t> ScriptedFileDialogs::chooseColor(std::uint32_t current)
{
    std::lock_guard lock(m_mutex);
    m_shown.append({Kind::Color, {}, current});
    return m_colors.isEmpty() ? std::nullopt : m_colors.takeFirst();
}

} // namespace relvo7
