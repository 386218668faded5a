#include "PanelRun.h"

#include "CCPL_RELVO7Dlg.h"
#include "DemoSession.h"
#include "PowerChoices.h"
#include "Prompt.h"
#include "settings/SettingsStore.h"

namespace relvo7::panel::ui {

int RunPanelWindow() {
    CCPL_RELVO7Dlg panel;
    if (!panel.isClosed()) panel.exec();
    return 0;
}

int RunDemoPanel() {
    DemoSession demo;
    if (!demo.ok()) {
        prompt().error(QStringLiteral("Nie można uruchomić symulatora RELVO-7 na adresie 127.0.0.1."));
        return 1;
    }
    prepareDemoSettings(Settings(), demo.port());
    // The demo's own (temporary) profile: three different powers to watch.
    savePowerChoices({0, 1, 2});
    PanelWindowOptions options;
    options.demo = true;
    options.withRecorder = false; // no day files of a simulated relay
    options.savePowerChoices = false;
    CCPL_RELVO7Dlg panel(options);
    if (!panel.isClosed()) panel.exec();
    return 0;
}

} // namespace relvo7::panel::ui
