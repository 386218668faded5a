// CPL_RELVO7: the control panel of the RELVO-7 motor-protection relay.
#include "CInitialDlg.h"
#include "CommandLine.h"
#include "MessageBoxPrompt.h"
#include "PanelRun.h"
#include "QtFileDialogs.h"
#include "Startup.h"
#include "settings/CPasswordDlg.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tarnwell"));
    QCoreApplication::setApplicationName(QStringLiteral("CPL_RELVO7"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/icon151.svg")));
    relvo7::InstallPolishTranslations(app);

    relvo7::MessageBoxPrompt prompt;
    relvo7::QtFileDialogs dialogs;
    relvo7::PasswordDialogEntry passwordEntry;
    relvo7::setPrompt(&prompt);
    relvo7::setFileDialogs(&dialogs);
    relvo7::setPasswordEntry(&passwordEntry);

    relvo7::StartupSteps steps;
    steps.runWelcome = [] {
        relvo7::CInitialDlg welcome;
        return welcome.run();
    };
    // Start-up step 8: the program's main window.
    steps.runMainWindow = &relvo7::panel::ui::RunPanelWindow;

    // "-demo": the panel against a simulated relay, before (and instead of) the
    // start-up sequence: no instance lock, no profile, no welcome dialog.
    const int result = relvo7::ParseCommandLine(app.arguments()).demo
                           ? relvo7::panel::ui::RunDemoPanel()
                           : relvo7::RunStartup(app.arguments(), steps);

    relvo7::setPasswordEntry(nullptr);
    relvo7::setFileDialogs(nullptr);
    relvo7::setPrompt(nullptr);
    return result;
}
