#include "PowerChoices.h"

#include "PanelUiTexts.h"
#include "settings/SettingsStore.h"

namespace relvo7::panel::ui {

int restoredPowerChoice(int stored) { return stored >= 0 && stored < kPowerChoiceCount ? stored : -1; }

PowerChoices loadPowerChoices() {
    PowerChoices c{};
    for (int i = 0; i < 3; ++i)
        c[static_cast<size_t>(i)] = restoredPowerChoice(LoadProfileInt(QString::fromLatin1(kPowerProfileNames[i]), 0));
    return c;
}

bool savePowerChoices(const PowerChoices& choices) {
    bool ok = true;
    for (int i = 0; i < 3; ++i)
        ok = SaveProfileInt(QString::fromLatin1(kPowerProfileNames[i]), choices[static_cast<size_t>(i)]) && ok;
    return ok;
}

} // namespace relvo7::panel::ui
