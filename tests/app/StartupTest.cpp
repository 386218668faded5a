// The start-up sequence with the instance lock, the settings, the automatic
// start, the welcome dialog and the start-up password; the windows are
// replaced by recording steps.
#include "settings/ShellTestFixture.h"
#include "app/InstanceLock.h"
#include "app/Startup.h"

#include <QFile>
#include <QProcess>

namespace relvo7::test {
namespace {

class StartupTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        steps.lockFolder = path(QStringLiteral("runtime"));
        steps.passwordEntry = &password;
        steps.runWelcome = [this] {
            ++welcomeRuns;
            return welcomeAnswer;
        };
        steps.runMainWindow = [this] {
            ++mainRuns;
            lockHeldDuringMain = !InstanceLock(steps.lockFolder).acquire();
            timeoutDuringMain = Settings().nTimeout;
            debugDuringMain = DebugMode();
            return 7;
        };
    }
    int start(const QStringList& extra = {})
    {
        return RunStartup(QStringList{QStringLiteral("cpl_relvo7")} + extra, steps);
    }
    bool lockIsFree() { return InstanceLock(steps.lockFolder).acquire(); }
    void saveProtection(const QString& pass)
    {
        SettingsRecord r = DefaultSettingsRecord();
        r.bPassword = 1;
        r.nPasswordScope = PasswordScopeStart;
        ASSERT_TRUE(StoreNewPassword(r, pass));
        ASSERT_TRUE(SaveSettings(r));
    }

    StartupSteps steps;
    bool welcomeAnswer = true;
    int welcomeRuns = 0, mainRuns = 0;
    bool lockHeldDuringMain = false, debugDuringMain = false;
    std::uint32_t timeoutDuringMain = 0;
};

TEST_F(StartupTest, NormalStartRunsWelcomeThenMainWindowHoldingTheLock)
{
    EXPECT_EQ(start(), 7);
    EXPECT_EQ(welcomeRuns, 1);
    EXPECT_EQ(mainRuns, 1);
    EXPECT_TRUE(lockHeldDuringMain);
    EXPECT_FALSE(debugDuringMain);
    EXPECT_TRUE(lockIsFree());
    EXPECT_TRUE(prompt.shown().isEmpty());
}

TEST_F(StartupTest, UnknownOptionShowsUsageOnly)
{
    EXPECT_EQ(start({QStringLiteral("-Debug")}), kExitNormal);
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_EQ(prompt.shown()[0].caption, QStringLiteral("CPL_RELVO7"));
    EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Information);
    EXPECT_TRUE(prompt.shown()[0].text.startsWith(QStringLiteral("Używanie:\r\n")));
    EXPECT_EQ(welcomeRuns + mainRuns, 0);
}

TEST_F(StartupTest, SecondCopyIsRefusedUnlessCopyIsGiven)
{
    InstanceLock first(steps.lockFolder);
    ASSERT_TRUE(first.acquire());
    EXPECT_EQ(start({QStringLiteral("-debug")}), kExitSecondCopy);
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_EQ(prompt.shown()[0].text,
              QStringLiteral("Wykryto uruchomienie drugiej kopii. Uruchomienie nie jest możliwe."));
    EXPECT_EQ(prompt.shown()[0].caption, QStringLiteral("CPL_RELVO7"));
    EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Error);
    EXPECT_EQ(welcomeRuns + mainRuns, 0);

    // "-copy" first: starts beside the running copy ("-debug" after it is ignored).
    EXPECT_EQ(start({QStringLiteral("-copy"), QStringLiteral("-debug")}), 7);
    EXPECT_EQ(mainRuns, 1);
    EXPECT_FALSE(debugDuringMain);
    EXPECT_TRUE(first.held()); // the first copy keeps its lock
}

TEST_F(StartupTest, NoUsableLockFolderIsNotASecondCopy)
{
    QFile blocker(path(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    steps.lockFolder = path(QStringLiteral("blocker/runtime"));
    EXPECT_EQ(start(), 7);
    EXPECT_TRUE(prompt.shown().isEmpty());
}

TEST_F(StartupTest, DebugOptionSetsTheDebugFlag)
{
    start({QStringLiteral("-debug")});
    EXPECT_TRUE(debugDuringMain);
}

TEST_F(StartupTest, LockOfAKilledCopyDoesNotBlock)
{
    QProcess holder;
    holder.start(QStringLiteral(RELVO7_LOCK_HOLDER), {steps.lockFolder});
    ASSERT_TRUE(holder.waitForStarted(10000));
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readAllStandardOutput().trimmed(), QByteArray("locked"));
    EXPECT_EQ(start(), kExitSecondCopy); // alive: refused
    holder.kill();
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_TRUE(QFile::exists(steps.lockFolder + QStringLiteral("/__CPL_RELVO7_INITIAL_OWNER__.lock")));
    prompt.clear();
    EXPECT_EQ(start(), 7); // its lock is taken over
    EXPECT_TRUE(prompt.shown().isEmpty());
}

TEST_F(StartupTest, LoadsTheProfileOrFallsBackToDefaults)
{
    Settings().nTimeout = 1; // whatever the record held before
    start();
    EXPECT_EQ(timeoutDuringMain, 500u);

    SettingsRecord saved = DefaultSettingsRecord();
    saved.nTimeout = 900;
    ASSERT_TRUE(SaveSettings(saved));
    start();
    EXPECT_EQ(timeoutDuringMain, 900u);
}

TEST_F(StartupTest, AutomaticStartFollowsTheSettingAtEveryStart)
{
    const QString entry = autostartFolder() + QStringLiteral("/CPL_RELVO7.desktop");
    SettingsRecord saved = DefaultSettingsRecord();
    saved.bAutoStart = 1;
    ASSERT_TRUE(SaveSettings(saved));
    start();
    EXPECT_TRUE(QFile::exists(entry));
    saved.bAutoStart = 0;
    ASSERT_TRUE(SaveSettings(saved));
    start();
    EXPECT_FALSE(QFile::exists(entry));
}

TEST_F(StartupTest, CancelledWelcomeEndsBeforeTheMainWindow)
{
    welcomeAnswer = false;
    EXPECT_EQ(start(), kExitNormal);
    EXPECT_EQ(mainRuns, 0);
    EXPECT_TRUE(lockIsFree());
}

TEST_F(StartupTest, StartupPasswordGuardsTheMainWindow)
{
    saveProtection(QStringLiteral("Start-Haslo"));
    password.answers = {QStringLiteral("start-haslo")}; // wrong case
    EXPECT_EQ(start(), kExitNormal);
    EXPECT_EQ(mainRuns, 0);
    EXPECT_TRUE(prompt.shown().isEmpty()); // silently
    EXPECT_TRUE(lockIsFree());             // the next start is not a second copy

    password.answers = {std::nullopt}; // cancelled
    EXPECT_EQ(start(), kExitNormal);
    EXPECT_EQ(mainRuns, 0);

    password.answers = {QStringLiteral("Start-Haslo")};
    EXPECT_EQ(start(), 7);
    EXPECT_EQ(mainRuns, 1);
    EXPECT_EQ(password.asked, 3);
}

TEST_F(StartupTest, EmptyStoredPasswordIsMatchedByAnEmptyEntry)
{
    saveProtection(QString());
    password.answers = {QString()};
    EXPECT_EQ(start(), 7);
}

} // namespace
} // namespace relvo7::test
