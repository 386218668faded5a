#pragma once
// The start-up sequence of the program, headless: command line, the
// single-instance lock, the settings, the automatic-start entry, the welcome
// dialog, the start-up password and then the main window. The windows come in
// through StartupSteps, so the GUI (main.cpp) and tests plug in their own.
#include "settings/PasswordGuard.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace relvo7 {

struct StartupSteps {
    // The welcome dialog (CInitialDlg); true when it ended with OK.
    std::function<bool()> runWelcome;
    // The main window, run modally; start-up ends when it returns. This is the
    // one place where the program's main window is chosen.
    std::function<int()> runMainWindow;
    // The password entry for the start-up check; null = the program-wide one.
    PasswordEntry* passwordEntry = nullptr;
    // Folder of the instance lock; empty = the user's runtime folder.
    QString lockFolder;
    // The automatic-start operation; empty = ApplyAutostart.
    std::function<void(bool)> applyAutostart;
};

// Exit codes of RunStartup besides the main window's own.
constexpr int kExitNormal = 0;
constexpr int kExitSecondCopy = 1;

// Runs the whole sequence; the instance lock is held until it returns.
// The usage text, a refused second copy, a cancelled welcome dialog and a
// wrong or cancelled start-up password end it early (the last two silently).
int RunStartup(const QStringList& arguments, const StartupSteps& steps);

// The debug flag ("-debug"); nothing else depends on it.
bool DebugMode();

namespace StartupTexts {
inline const QString SecondCopy =
    QStringLiteral("Wykryto uruchomienie drugiej kopii. Uruchomienie nie jest możliwe.");
} // namespace StartupTexts

} // namespace relvo7
