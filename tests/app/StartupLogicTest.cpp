// Command line, data folders, welcome checks and the automatic-start entry.
#include "settings/ShellTestFixture.h"
#include "app/CommandLine.h"
#include "app/DataFolders.h"
#include "app/WelcomeChecks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace relvo7::test {
namespace {

TEST(CommandLine, UsageTextIsExact)
{
    EXPECT_EQ(UsageText(), QStringLiteral("Używanie:\r\n     cpl_relvo7.exe [-polecenie]\r\n\r\nPolecenia:\r\n"
                                          "     -copy : pozwala uruchomić kilka kopii programu;\r\n"
                                          "     -debug : aktywowanie trybu debugowania;\r\n"
                                          "     -demo : uruchomienie z symulatorem przekaźnika (tryb demonstracyjny);\r\n"));
    EXPECT_EQ(ApplicationTitle(), QStringLiteral("CPL_RELVO7"));
}

TEST(CommandLine, OnlyTheFirstOptionCountsAndMustMatchExactly)
{
    struct Case {
        QStringList args;
        bool copies, debug, usage;
    };
    const QString p = QStringLiteral("cpl_relvo7");
    const Case cases[] = {
        {{p}, false, false, false},
        {{p, QStringLiteral("-copy")}, true, false, false},
        {{p, QStringLiteral("-debug")}, false, true, false},
        {{p, QStringLiteral("-copy"), QStringLiteral("-debug")}, true, false, false},
        {{p, QStringLiteral("-debug"), QStringLiteral("-copy")}, false, true, false},
        {{p, QStringLiteral("-COPY")}, false, false, true},
        {{p, QStringLiteral("/copy")}, false, false, true},
        {{p, QStringLiteral("-copy ")}, false, false, true},
        {{p, QString()}, false, false, true},
        {{p, QStringLiteral("x"), QStringLiteral("-copy")}, false, false, true},
    };
    for (const Case& c : cases) {
        const CommandLineOptions o = ParseCommandLine(c.args);
        EXPECT_EQ(o.allowCopies, c.copies) << c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(o.debug, c.debug) << c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(o.showUsage, c.usage) << c.args.join(QLatin1Char(' ')).toStdString();
    }
}

class DataFoldersTest : public ShellTest {
protected:
    void makeFile(const QString& name)
    {
        QDir().mkpath(QFileInfo(path(name)).absolutePath());
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
};

TEST_F(DataFoldersTest, FoldersFollowRelvo7DataDir)
{
    const QString root = qEnvironmentVariable("RELVO7_DATA_DIR");
    ASSERT_FALSE(root.isEmpty());
    EXPECT_EQ(DataRootFolder(), QDir::cleanPath(root));
    EXPECT_EQ(SettingsFolderPath(), QDir::cleanPath(root) + QStringLiteral("/relvo_settings"));
    EXPECT_EQ(DatabaseFolderPath(), QDir::cleanPath(root) + QStringLiteral("/relvo_db"));
}

TEST_F(DataFoldersTest, CreatesBothFoldersAndAcceptsExistingOnes)
{
    const QString root = path(QStringLiteral("data"));
    EXPECT_EQ(CreateDataFolders(root), DataFoldersResult::Ok);
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("/relvo_settings")).isDir());
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("/relvo_db")).isDir());
    EXPECT_EQ(CreateDataFolders(root), DataFoldersResult::Ok);
}

TEST_F(DataFoldersTest, WelcomeReportsAFolderThatCannotBeMade)
{
    makeFile(QStringLiteral("a/relvo_settings"));
    EXPECT_FALSE(RunWelcomeChecks(1024, 768, path(QStringLiteral("a"))));
    makeFile(QStringLiteral("b/relvo_db"));
    EXPECT_FALSE(RunWelcomeChecks(1024, 768, path(QStringLiteral("b"))));
    ASSERT_EQ(prompt.shown().size(), 2);
    EXPECT_EQ(prompt.shown()[0].text, QStringLiteral("Nie można utworzyć katalogu ustawień RELVO-7"));
    EXPECT_EQ(prompt.shown()[1].text, QStringLiteral("Nie można utworzyć katalogu bazy danych RELVO-7"));
    for (const PromptRequest& r : prompt.shown()) {
        EXPECT_EQ(r.caption, QStringLiteral("Błąd"));
        EXPECT_EQ(r.icon, PromptIcon::Error);
    }
}

TEST_F(DataFoldersTest, ScreenBelow1024x768Asks)
{
    struct Case {
        int w, h;
        bool asks;
    };
    for (const Case& c : {Case{1024, 768, false}, Case{1920, 1080, false}, Case{1280, 720, true},
                          Case{1023, 768, true}, Case{800, 600, true}}) {
        prompt.clear();
        prompt.addAnswer(PromptYes);
        EXPECT_TRUE(RunWelcomeChecks(c.w, c.h, path(QStringLiteral("data"))));
        EXPECT_EQ(prompt.shown().size(), c.asks ? 1 : 0) << c.w << "x" << c.h;
    }
    prompt.clear();
    prompt.addAnswer(PromptNo);
    EXPECT_FALSE(RunWelcomeChecks(1280, 720, path(QStringLiteral("no"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("no")))); // ends before the folders
    ASSERT_EQ(prompt.shown().size(), 1);
    const PromptRequest q = prompt.shown()[0];
    EXPECT_EQ(q.text, QStringLiteral("Uwaga: bieżące rozszerzenie ekranu (1280 x 720).\r\n\nDo komfortowej pracy potrzebne jest rozszerzenie (1024 x 768).\r\n\nNadal chcesz uruchomić program?"));
    EXPECT_EQ(q.caption, QStringLiteral("Błąd"));
    EXPECT_EQ(q.buttons, unsigned(PromptYes | PromptNo));
}

class AutostartTest : public ShellTest {
protected:
    QString entry() const { return autostartFolder() + QStringLiteral("/CPL_RELVO7.desktop"); }
    QString read() const
    {
        QFile f(entry());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
};

TEST_F(AutostartTest, OnWritesTheEntryOffRemovesIt)
{
    ApplyAutostart(true);
    EXPECT_TRUE(read().contains(QStringLiteral("\nExec=\"/opt/relvo7/cpl_relvo7\"\n")));
    EXPECT_TRUE(read().startsWith(QStringLiteral("[Desktop Entry]\n")));
    EXPECT_TRUE(read().contains(QStringLiteral("\nType=Application\n")));
    ApplyAutostart(false);
    EXPECT_FALSE(QFile::exists(entry()));
    ApplyAutostart(false); // a missing entry is no error
    EXPECT_TRUE(prompt.shown().isEmpty());
}

TEST_F(AutostartTest, ExecQuotesTheProgramPath)
{
    EXPECT_EQ(SetAutostartEntry(true, QStringLiteral("/opt/my dir/a\\b\"c$d%e"), autostartFolder()),
              AutostartResult::Done);
    EXPECT_TRUE(read().contains(QStringLiteral("\nExec=\"/opt/my dir/a\\\\\\\\b\\\\\"c\\\\$d%%e\"\n")))
        << read().toStdString();
    EXPECT_EQ(SetAutostartEntry(true, QStringLiteral("/opt/x\nExec=evil"), autostartFolder()),
              AutostartResult::WriteFailed);
}

TEST_F(AutostartTest, UnusableFolderWarnsWhetherOnOrOff)
{
    QFile blocker(path(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SetAutostartLocationForTesting(path(QStringLiteral("blocker/autostart")), QStringLiteral("/opt/p"));
    ApplyAutostart(true);
    ApplyAutostart(false);
    ASSERT_EQ(prompt.shown().size(), 2);
    for (const PromptRequest& r : prompt.shown()) {
        EXPECT_EQ(r.text, AutostartTexts::NoAccess);
        EXPECT_EQ(r.caption, QStringLiteral("Błąd"));
        EXPECT_EQ(r.icon, PromptIcon::Warning);
    }
}

TEST_F(AutostartTest, EntryThatCannotBeWrittenWarns)
{
    QDir().mkpath(entry()); // a folder where the entry should be
    ApplyAutostart(true);
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_EQ(prompt.shown()[0].text, AutostartTexts::WriteFailed);
    EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Warning);
}

} // namespace
} // namespace relvo7::test
