#pragma once
// Every question and message the program shows goes through this interface, so
// that logic stays headless and tests can answer from a script. The GUI side
// implements it with QMessageBox (app/MessageBoxPrompt); tests use ScriptedPrompt.
// Only QtCore types here.
#include <QString>

namespace relvo7 {

enum class PromptIcon { None, Information, Warning, Error, Question };

// Button set and answer, as bit flags so a request can name several.
enum PromptButton : unsigned {
    PromptNone = 0,
    PromptOk = 1u << 0,
    PromptCancel = 1u << 1,
    PromptYes = 1u << 2,
    PromptNo = 1u << 3,
    PromptTryAgain = 1u << 4, // "Ponów próbę"
    PromptContinue = 1u << 5, // "Kontynuuj"
};

struct PromptRequest {
    QString caption;
    QString text;
    PromptIcon icon = PromptIcon::None;
    unsigned buttons = PromptOk;
    PromptButton defaultButton = PromptOk;
};

class Prompt {
public:
    virtual ~Prompt() = default;
    // Shows the request modally and returns the button chosen. Safe to call from
    // any thread: an implementation with windows runs it on the window thread.
    virtual PromptButton ask(const PromptRequest& request) = 0;

    // Conveniences for the common shapes.
    void error(const QString& text) { ask({QStringLiteral("Błąd"), text, PromptIcon::Error, PromptOk, PromptOk}); }
    void inform(const QString& caption, const QString& text) {
        ask({caption, text, PromptIcon::Information, PromptOk, PromptOk});
    }
};

// The program-wide prompt. Set once at start-up (GUI) or by a test fixture.
Prompt& prompt();
void setPrompt(Prompt* p);

} // namespace relvo7
