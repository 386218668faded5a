#include "Startup.h"

#include "Autostart.h"
#include "CommandLine.h"
#include "InstanceLock.h"
#include "Prompt.h"
#include "settings/SettingsStore.h"

#include <atomic>

namespace relvo7 {

namespace {
std::atomic<bool> g_debug{false};
}

bool DebugMode() { return g_debug.load(); }

int RunStartup(const QStringList& arguments, const StartupSteps& steps)
{
    // 1. Command line.
    g_debug = false;
    const CommandLineOptions options = ParseCommandLine(arguments);
    if (options.showUsage) {
        prompt().ask({ApplicationTitle(), UsageText(), PromptIcon::Information, PromptOk, PromptOk});
        return kExitNormal;
    }
    g_debug = options.debug;

    // 2. One copy at a time, unless "-copy". The lock is released on every
    // way out of this function (InstanceLock's destructor). Only a lock that
    // another copy holds refuses the start; a runtime folder where no lock
    // can be made at all lets the program run without one.
    InstanceLock lock(steps.lockFolder);
    if (!lock.acquire() && lock.heldByAnother() && !options.allowCopies) {
        prompt().ask({ApplicationTitle(), StartupTexts::SecondCopy, PromptIcon::Error, PromptOk, PromptOk});
        return kExitSecondCopy;
    }

    // 4. Settings.
    if (!LoadSettings())
        ResetSettings();

    // 5. Automatic start, at every start.
    if (steps.applyAutostart)
        steps.applyAutostart(Settings().bAutoStart != 0);
    else
        ApplyAutostart(Settings().bAutoStart != 0);

    // 6. Welcome dialog.
    if (steps.runWelcome && !steps.runWelcome())
        return kExitNormal;

    // 7. Start-up password: a wrong or cancelled entry ends without a message.
    PasswordEntry& entry = steps.passwordEntry ? *steps.passwordEntry : passwordEntry();
    if (!PasswordGuard(PasswordScopeStart, entry, Settings()))
        return kExitNormal;

    // 8. The main window.
    return steps.runMainWindow ? steps.runMainWindow() : kExitNormal;
}

} // namespace relvo7
