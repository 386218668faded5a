#pragma once
// The GUI's Prompt: a modal QMessageBox with the request's caption, icon,
// buttons and default button. Callable from any thread (the box is shown on
// the window thread while the caller waits).
#include "Prompt.h"

class QApplication;
class QMessageBox;

namespace relvo7 {

class MessageBoxPrompt final : public Prompt {
public:
    PromptButton ask(const PromptRequest& request) override;

    // Builds the box without showing it (tests look at it).
    static QMessageBox* createBox(const PromptRequest& request);
};

// Texts of the prompt buttons.
QString PromptButtonText(PromptButton button);

// Loads Qt's Polish translations so the standard dialogs (file and colour
// choosers, context menus) speak Polish. Returns whether they were found.
bool InstallPolishTranslations(QApplication& app);

} // namespace relvo7
