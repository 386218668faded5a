#include "FileDialogs.h"

#include <atomic>

namespace relvo7 {

namespace {

class CancellingDialogs final : public FileDialogs {
public:
    QString openFileName(const FileDialogRequest&) override { return {}; }
    QString saveFileName(const FileDialogRequest&) override { return {}; }
    QString existingDirectory(const FileDialogRequest&) override { return {}; }
    std::optional<std::uint32_t> chooseColor(std::uint32_t) override { return std::nullopt; }
};

CancellingDialogs g_cancelling;
std::atomic<FileDialogs*> g_dialogs{nullptr};

} // namespace

FileDialogs& fileDialogs()
{
    FileDialogs* d = g_dialogs.load();
    return d ? *d : g_cancelling;
}

void setFileDialogs(FileDialogs* dialogs) { g_dialogs.store(dialogs); }

} // namespace relvo7
