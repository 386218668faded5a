// The shell's windows: message boxes (also asked from a worker thread), the
// welcome dialog, the About box and the main window's buttons.
#include "settings/ShellTestFixture.h"
#include "app/CAboutDlg.h"
#include "app/CInitialDlg.h"
#include "app/DataFolders.h"
#include "app/MessageBoxPrompt.h"
#include "app/PlaceholderMainWindow.h"
#include "settings/CSettingsDlg.h"

#include <relvo7link.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <functional>
#include <thread>

namespace relvo7::test {
namespace {

QStringList ButtonTexts(QMessageBox& box)
{
    QStringList texts;
    for (QAbstractButton* b : box.buttons())
        texts << b->text();
    texts.sort();
    return texts;
}

TEST(MessageBoxPromptTest, ButtonsCaptionIconAndDefault)
{
    std::unique_ptr<QMessageBox> box(MessageBoxPrompt::createBox(
        {QStringLiteral("Uwaga"), QStringLiteral("a\r\nb"), PromptIcon::Warning, PromptYes | PromptNo, PromptNo}));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Uwaga"));
    EXPECT_EQ(box->text(), QStringLiteral("a\nb"));
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(ButtonTexts(*box), (QStringList{QStringLiteral("Nie"), QStringLiteral("Tak")}));
    ASSERT_NE(box->defaultButton(), nullptr);
    EXPECT_EQ(box->defaultButton()->text(), QStringLiteral("Nie"));
    EXPECT_EQ(box->escapeButton()->text(), QStringLiteral("Nie"));

    std::unique_ptr<QMessageBox> device(MessageBoxPrompt::createBox(
        {QStringLiteral("Błąd"), QStringLiteral("x"), PromptIcon::Error, PromptCancel | PromptTryAgain | PromptContinue,
         PromptTryAgain}));
    EXPECT_EQ(device->icon(), QMessageBox::Critical);
    EXPECT_EQ(ButtonTexts(*device),
              (QStringList{QStringLiteral("Anuluj"), QStringLiteral("Kontynuuj"), QStringLiteral("Ponów próbę")}));
    EXPECT_EQ(device->defaultButton()->text(), QStringLiteral("Ponów próbę"));
    EXPECT_EQ(device->escapeButton()->text(), QStringLiteral("Anuluj"));
}

TEST(MessageBoxPromptTest, PolishTranslationsForQtsOwnDialogs)
{
    ASSERT_TRUE(InstallPolishTranslations(*qApp));
    QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Tak"));
    EXPECT_EQ(box.button(QDialogButtonBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Nie"));
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Anuluj"));
}

TEST(MessageBoxPromptTest, WorkerThreadQuestionIsAnsweredOnTheWindowThread)
{
    MessageBoxPrompt boxes;
    std::atomic<bool> done{false};
    std::atomic<unsigned> answer{PromptNone};
    std::atomic<bool> shownOnWindowThread{false};
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        shownOnWindowThread = QThread::currentThread() == qApp->thread();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == QStringLiteral("Tak"))
                b->click();
    });
    std::thread worker([&] {
        answer = boxes.ask({QStringLiteral("Potwierdzenie"), QStringLiteral("?"), PromptIcon::Question,
                            PromptYes | PromptNo, PromptNo});
        done = true;
    });
    QElapsedTimer clock;
    clock.start();
    while (!done && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (!done && QApplication::activeModalWidget())
        QApplication::activeModalWidget()->close(); // do not leave the worker hanging
    worker.join();
    EXPECT_TRUE(done);
    EXPECT_TRUE(shownOnWindowThread);
    EXPECT_EQ(answer.load(), unsigned(PromptYes));
}

class ShellWindowsTest : public ShellTest {};

TEST_F(ShellWindowsTest, WelcomeDialogChecksAndEndsWithOkAfterItsTime)
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const bool small = screen.width() < 1024 || screen.height() < 768;
    if (small)
        prompt.addAnswer(PromptYes);
    CInitialDlg dlg(nullptr, 50);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Powitanie"));
    EXPECT_TRUE(dlg.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(dlg.run());
    EXPECT_EQ(prompt.shown().size(), small ? 1 : 0);
    EXPECT_TRUE(QFileInfo(SettingsFolderPath()).isDir());
    EXPECT_TRUE(QFileInfo(DatabaseFolderPath()).isDir());
    if (small) {
        prompt.addAnswer(PromptNo);
        CInitialDlg refused(nullptr, 50);
        EXPECT_FALSE(refused.run());
    }
}

TEST_F(ShellWindowsTest, AboutBoxShowsTheAcceptedFirmwareRange)
{
    Settings().clrBackground = 0x00203040;
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("O programie CPL_RELVO7"));
    QLabel* range = about.findChild<QLabel*>(QStringLiteral("1161"));
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->text(), QStringLiteral("Wersja firmware %1 - %2").arg(dll_nVerMinor).arg(dll_nVerMajor));
    EXPECT_EQ(range->text(), QStringLiteral("Wersja firmware 10 - 55"));
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("1121"))->font().pointSize(), 14);
    EXPECT_EQ(about.palette().color(QPalette::Window), QColor(0x40, 0x30, 0x20));
    bool found = false;
    for (QLabel* l : about.findChildren<QLabel*>())
        found = found || l->text() == QStringLiteral("Wersja programu 2.2");
    EXPECT_TRUE(found);
}

TEST_F(ShellWindowsTest, F1AndTheAboutButtonOpenTheAboutBox)
{
    PlaceholderMainWindow window;
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    int opened = 0;
    auto closeAbout = [&](CAboutDlg* d) {
        ++opened;
        d->accept();
    };
    WhenModal<CAboutDlg>(closeAbout);
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(opened, 1);
    WhenModal<CAboutDlg>(closeAbout);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("1050")), Qt::LeftButton);
    EXPECT_EQ(opened, 2);
    // Enter and Escape do not close the main window; "Zakończ" does.
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("1049")), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ShellWindowsTest, SettingsButtonAsksForThePasswordAndRefreshesAfterwards)
{
    Settings().bPassword = 1;
    Settings().nPasswordScope = PasswordScopeSettings;
    ASSERT_TRUE(StoreNewPassword(Settings(), QStringLiteral("Ustaw-1234")));
    PlaceholderMainWindow window;
    window.show();
    int opened = 0;
    WhenModal<CSettingsDlg>([&](CSettingsDlg* d) {
        ++opened;
        Settings().nBaudIndex = 1; // as a save would have done
        Settings().nDeviceAddress = 33;
        Settings().bTopMost = 1;
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("1116")), Qt::LeftButton);
    });
    password.answers = {QStringLiteral("ustaw-1234")};
    window.openSettings(); // wrong: nothing opens
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(password.asked, 1);
    password.answers = {QStringLiteral("Ustaw-1234")};
    window.openSettings();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("1080"))->text(), QStringLiteral("19200 bit/s"));
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("1048"))->text(), QStringLiteral("33"));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    // Without the settings bit it does not ask.
    Settings().nPasswordScope = PasswordScopeAll & ~PasswordScopeSettings;
    WhenModal<CSettingsDlg>([&](CSettingsDlg* d) {
        ++opened;
        d->reject();
    });
    window.openSettings();
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(password.asked, 2);
}

} // namespace
} // namespace relvo7::test
