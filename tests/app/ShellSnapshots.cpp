// relvo7_shell_snapshots OUTDIR: draws the shell's windows into PNG files
// (settings, password, About box, welcome, main window, a message box) so
// they can be looked at without a desktop. Uses the default settings.
#include "app/CAboutDlg.h"
#include "app/CInitialDlg.h"
#include "app/MessageBoxPrompt.h"
#include "app/PlaceholderMainWindow.h"
#include "settings/CPasswordDlg.h"
#include "settings/CSettingsDlg.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <cstdio>
#include <memory>

namespace {

bool Save(QWidget& w, const QString& dir, const QString& name)
{
    w.show();
    QApplication::processEvents();
    const bool ok = w.grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
    w.hide();
    std::printf("%s %s\n", qPrintable(name), ok ? "ok" : "FAILED");
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: relvo7_shell_snapshots OUTDIR\n");
        return 2;
    }
    relvo7::InstallPolishTranslations(app);
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    bool ok = true;

    relvo7::CSettingsDlg::Options options;
    options.serialDevices = QStringList{QStringLiteral("ttyS0"), QStringLiteral("ttyUSB0")};
    relvo7::CSettingsDlg settings(nullptr, options);
    ok &= Save(settings, dir, QStringLiteral("settings"));
    relvo7::CPasswordDlg password(nullptr, relvo7::CPasswordDlg::SetMode);
    ok &= Save(password, dir, QStringLiteral("password"));
    relvo7::CAboutDlg about;
    ok &= Save(about, dir, QStringLiteral("about"));
    relvo7::CInitialDlg welcome;
    ok &= Save(welcome, dir, QStringLiteral("welcome"));
    relvo7::PlaceholderMainWindow window;
    ok &= Save(window, dir, QStringLiteral("main"));
    std::unique_ptr<QMessageBox> box(relvo7::MessageBoxPrompt::createBox(
        {QStringLiteral("Błąd"), QStringLiteral("Device error"), relvo7::PromptIcon::Error,
         relvo7::PromptCancel | relvo7::PromptTryAgain | relvo7::PromptContinue, relvo7::PromptTryAgain}));
    ok &= Save(*box, dir, QStringLiteral("messagebox"));
    return ok ? 0 : 1;
}
