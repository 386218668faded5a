#pragma once
// The GUI's FileDialogs: QFileDialog and QColorDialog, shown on the window
// thread whichever thread asks.
#include "FileDialogs.h"

namespace relvo7 {

class QtFileDialogs final : public FileDialogs {
public:
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    QString existingDirectory(const FileDialogRequest& request) override;
    std::optional<std::uint32_t> chooseColor(std::uint32_t current) override;
};

} // namespace relvo7
