#include "WelcomeChecks.h"

#include "DataFolders.h"
#include "Prompt.h"

namespace relvo7 {

bool ScreenQuestionNeeded(int width, int height)
{
    return width < kComfortScreenWidth || height < kComfortScreenHeight;
}

QString ScreenQuestionText(int width, int height)
{
    // The message is a printf format (%d x %d, twice).
    return QString::asprintf("Uwaga: bieżące rozszerzenie ekranu (%d x %d).\r\n\nDo komfortowej pracy potrzebne jest rozszerzenie (%d x %d).\r\n\nNadal chcesz uruchomić program?", width, height, kComfortScreenWidth,
                             kComfortScreenHeight);
}

bool RunWelcomeChecks(int screenWidth, int screenHeight, const QString& dataRoot)
{
    if (ScreenQuestionNeeded(screenWidth, screenHeight)) {
        const PromptButton answer = prompt().ask({QStringLiteral("Błąd"), ScreenQuestionText(screenWidth, screenHeight),
                                                  PromptIcon::Warning, PromptYes | PromptNo, PromptYes});
        if (answer != PromptYes)
            return false;
    }
    switch (CreateDataFolders(dataRoot)) {
    case DataFoldersResult::Ok:
        return true;
    case DataFoldersResult::SettingsFolderFailed:
        prompt().error(WelcomeTexts::SettingsFolderFailed);
        return false;
    case DataFoldersResult::DatabaseFolderFailed:
        prompt().error(WelcomeTexts::DatabaseFolderFailed);
        return false;
    }
    return false;
}

} // namespace relvo7
