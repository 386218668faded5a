#pragma once
// What the welcome dialog checks before its three seconds run: the screen
// size (with a question below 1024 x 768) and the two data folders. Headless;
// CInitialDlg calls RunWelcomeChecks when it opens.
#include <QString>

namespace relvo7 {

namespace WelcomeTexts {
inline const QString Title = QStringLiteral("Powitanie");
inline const QString SettingsFolderFailed = QStringLiteral("Nie można utworzyć katalogu ustawień RELVO-7");
inline const QString DatabaseFolderFailed = QStringLiteral("Nie można utworzyć katalogu bazy danych RELVO-7");
} // namespace WelcomeTexts

constexpr int kComfortScreenWidth = 1024;
constexpr int kComfortScreenHeight = 768;
constexpr int kWelcomeMilliseconds = 3000;

bool ScreenQuestionNeeded(int width, int height);
QString ScreenQuestionText(int width, int height);

// true: go on (the dialog's three seconds start); false: end with Cancel.
// Asks the screen question through the prompt when needed, creates the data
// folders under `dataRoot` and reports a failure.
bool RunWelcomeChecks(int screenWidth, int screenHeight, const QString& dataRoot);

} // namespace relvo7
