#pragma once
// File and colour choosers behind one small interface, like Prompt: the GUI
// implements it with QFileDialog / QColorDialog (app/QtFileDialogs.h), tests
// with ScriptedFileDialogs. Only QtCore types here. Empty string / nullopt =
// the user cancelled.
#include <QString>
#include <cstdint>
#include <optional>

namespace relvo7 {

struct FileDialogRequest {
    QString caption;
    QString directory; // folder to open in (may hold a proposed file name)
    QString filter;    // Qt filter text, e.g. "Pliki RELVO-7 (*.relvo7)"
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual QString openFileName(const FileDialogRequest& request) = 0;
    virtual QString saveFileName(const FileDialogRequest& request) = 0;
    virtual QString existingDirectory(const FileDialogRequest& request) = 0;
    // Colour as 0x00BBGGRR; the current colour is preselected.
    virtual std::optional<std::uint32_t> chooseColor(std::uint32_t current) = 0;
};

// The program-wide instance (set at start-up by the GUI, or by a test).
// Without one every chooser answers "cancelled".
FileDialogs& fileDialogs();
void setFileDialogs(FileDialogs* dialogs);

} // namespace relvo7
