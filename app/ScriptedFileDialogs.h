#pragma once
// FileDialogs for tests: answers from scripts, records the requests.
#include "FileDialogs.h"

#include <QList>
#include <mutex>

namespace relvo7 {

class ScriptedFileDialogs final : public FileDialogs {
public:
    enum class Kind { Open, Save, Directory, Color };
    struct Request {
        Kind kind;
        FileDialogRequest file; // for the three file kinds
        std::uint32_t color = 0; // for Color: the preselected colour
    };

    // Answers for the file kinds, in order; an exhausted script cancels.
    void addFileAnswer(const QString& path);
    void addColorAnswer(std::optional<std::uint32_t> color);
    QList<Request> shown() const;

    QString openFileName(const FileDialogRequest& r) override { return nextFile(Kind::Open, r); }
    QString saveFileName(const FileDialogRequest& r) override { return nextFile(Kind::Save, r); }
    QString existingDirectory(const FileDialogRequest& r) override { return nextFile(Kind::Directory, r); }
    std::optional<std::uint32_t> chooseColor(std::uint32_t current) override;

private:
    QString nextFile(Kind kind, const FileDialogRequest& r);

    mutable std::mutex m_mutex;
    QList<QString> m_files;
    QList<std::optional<std::uint32_t>> m_colors;
    QList<Request> m_shown;
};

} // namespace relvo7
