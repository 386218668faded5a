// CSettingsDlg driven through its controls.
#include "ShellTestFixture.h"
#include "settings/CPasswordDlg.h"
#include "settings/CSettingsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace relvo7::test {
namespace {

class SettingsDlgTest : public ShellTest {
protected:
    std::unique_ptr<CSettingsDlg> open(QStringList devices = {QStringLiteral("ttyS0"), QStringLiteral("ttyUSB0")})
    {
        CSettingsDlg::Options options;
        options.serialDevices = devices;
        options.newPassword = &newPassword;
        auto dlg = std::make_unique<CSettingsDlg>(nullptr, options);
        dlg->show();
        return dlg;
    }
    template <class W>
    W* child(QWidget& dlg, int id)
    {
        W* w = dlg.findChild<W*>(QString::number(id));
        EXPECT_NE(w, nullptr) << id;
        return w;
    }
    void click(QWidget& dlg, int id) { QTest::mouseClick(child<QAbstractButton>(dlg, id), Qt::LeftButton); }
    void type(QWidget& dlg, int id, const QString& text)
    {
        QLineEdit* e = child<QLineEdit>(dlg, id);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, text);
    }
    bool enabled(QWidget& dlg, int id) { return child<QWidget>(dlg, id)->isEnabled(); }
    SettingsRecord stored()
    {
        SettingsRecord r = DefaultSettingsRecord();
        EXPECT_TRUE(LoadSettings(r));
        return r;
    }

    ScriptedPasswordEntry newPassword;
};

TEST_F(SettingsDlgTest, WithoutSerialPortsOnlyModbusTcpIsListedAndChosen)
{
    auto dlg = open({});
    QComboBox* ports = child<QComboBox>(*dlg, 1006);
    ASSERT_EQ(ports->count(), 1);
    EXPECT_EQ(ports->currentText(), QStringLiteral("Modbus TCP"));
    for (int id : {1007, 1008, 1009, 1010})
        EXPECT_FALSE(enabled(*dlg, id)) << id;
    EXPECT_TRUE(enabled(*dlg, 1168));
    EXPECT_TRUE(enabled(*dlg, 1030));
    EXPECT_TRUE(enabled(*dlg, 1006));
}

TEST_F(SettingsDlgTest, TransportRuleFollowsThePortChoice)
{
    AssignSettingsText(Settings().szPortName, QStringLiteral("TTYUSB0")); // letter case ignored
    auto dlg = open();
    QComboBox* ports = child<QComboBox>(*dlg, 1006);
    ASSERT_EQ(ports->count(), 3);
    EXPECT_EQ(ports->currentText(), QStringLiteral("ttyUSB0"));
    EXPECT_FALSE(enabled(*dlg, 1168));
    EXPECT_FALSE(enabled(*dlg, 1030));
    EXPECT_TRUE(enabled(*dlg, 1007));

    ports->setCurrentIndex(2); // "Modbus TCP"
    for (int id : {1007, 1008, 1009, 1010})
        EXPECT_FALSE(enabled(*dlg, id)) << id;
    EXPECT_TRUE(enabled(*dlg, 1168));
    EXPECT_TRUE(enabled(*dlg, 1030));
    EXPECT_TRUE(enabled(*dlg, 1006));

    ports->setCurrentIndex(0);
    for (int id : {1006, 1007, 1008, 1009, 1010})
        EXPECT_TRUE(enabled(*dlg, id)) << id;
    EXPECT_FALSE(enabled(*dlg, 1168));
}

TEST_F(SettingsDlgTest, AbsentPortSelectsTheFirstEntryAndSavingStoresIt)
{
    AssignSettingsText(Settings().szPortName, QStringLiteral("ttyACM7"));
    auto dlg = open();
    EXPECT_EQ(child<QComboBox>(*dlg, 1006)->currentIndex(), 0);
    click(*dlg, 1002);
    EXPECT_EQ(SettingsText(stored().szPortName), QStringLiteral("ttyS0"));
}

TEST_F(SettingsDlgTest, PasswordRuleAndPlaceholder)
{
    AssignSettingsText(Settings().szPassword, QStringLiteral("x"));
    auto dlg = open();
    QLineEdit* box = child<QLineEdit>(*dlg, 1018);
    EXPECT_EQ(box->text(), QStringLiteral("Qm4#tV9!pL2&"));
    EXPECT_EQ(box->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(box->isReadOnly());
    const int guarded[] = {1018, 1023, 1020, 1021, 1022, 1026, 1024};
    for (int id : guarded)
        EXPECT_FALSE(enabled(*dlg, id)) << id;
    click(*dlg, 1019);
    for (int id : guarded)
        EXPECT_TRUE(enabled(*dlg, id)) << id;
    EXPECT_TRUE(child<QWidget>(*dlg, 1125)->property("locked").toBool());
    click(*dlg, 1019);
    for (int id : guarded)
        EXPECT_FALSE(enabled(*dlg, id)) << id;
    EXPECT_EQ(box->text(), QStringLiteral("Qm4#tV9!pL2&"));
}

TEST_F(SettingsDlgTest, PlainStyleKeepsTheCustomColours)
{
    Settings().clrBackground = 0x00102030;
    Settings().clrText = 0x00405060;
    Settings().clrParameter = 0x00708090;
    {
        auto dlg = open();
        click(*dlg, 1016); // "Windows zwykły"
        for (int id : {1005, 1004, 1028})
            EXPECT_FALSE(enabled(*dlg, id)) << id;
        EXPECT_TRUE(prompt.shown().isEmpty()); // the plain style says nothing
        click(*dlg, 1002);
    }
    const SettingsRecord r = stored();
    EXPECT_EQ(r.bGraphicStyle, 0);
    EXPECT_EQ(r.clrBackground, 0x00102030u);
    EXPECT_EQ(r.clrText, 0x00405060u);
    EXPECT_EQ(r.clrParameter, 0x00708090u);

    // Choosing the graphic style again shows them, with the restart notice.
    auto dlg = open();
    click(*dlg, 1017);
    EXPECT_EQ(dlg->form().background, 0x00102030u);
    EXPECT_TRUE(enabled(*dlg, 1005));
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_EQ(prompt.shown()[0].text, SettingsTexts::StyleRestart);
    EXPECT_EQ(prompt.shown()[0].caption, QStringLiteral("RELVO-7"));
}

TEST_F(SettingsDlgTest, StyleSwitchDropsAnUnsavedColourChange)
{
    Settings().clrBackground = 0x00102030;
    auto dlg = open();
    dialogs.addColorAnswer(0x00AABBCC);
    click(*dlg, 1005);
    EXPECT_EQ(dlg->form().background, 0x00AABBCCu);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown()[0].color, 0x00102030u); // current colour preselected
    click(*dlg, 1016);
    click(*dlg, 1017);
    EXPECT_EQ(dlg->form().background, 0x00102030u);
    // A cancelled chooser keeps the colour.
    click(*dlg, 1004);
    EXPECT_EQ(dlg->form().text, Settings().clrText);
}

TEST_F(SettingsDlgTest, DefaultsThenCloseLeaveTheProfileUntouched)
{
    Settings().bPassword = 1;
    Settings().nPasswordScope = PasswordScopeStart;
    Settings().nTimeout = 999;
    AssignSettingsText(Settings().szPassword, QStringLiteral("Stare-Haslo"));
    ASSERT_TRUE(SaveSettings());
    const QByteArray before = [&] {
        QFile f(profilePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    auto dlg = open();
    prompt.addAnswer(PromptNo);
    click(*dlg, 1001);
    EXPECT_EQ(Settings().nTimeout, 999u); // "Nie": nothing happens
    prompt.addAnswer(PromptYes);
    click(*dlg, 1001);
    ASSERT_EQ(prompt.shown().size(), 2);
    EXPECT_EQ(prompt.shown()[1].caption, SettingsTexts::DefaultsTitle);
    EXPECT_EQ(prompt.shown()[1].text, SettingsTexts::DefaultsQuestion);
    EXPECT_EQ(Settings().nTimeout, 500u);
    EXPECT_EQ(Settings().bPassword, 0);
    EXPECT_TRUE(StoredPassword(Settings()).isEmpty());
    EXPECT_EQ(child<QLineEdit>(*dlg, 1012)->text(), QStringLiteral("500"));
    EXPECT_FALSE(child<QCheckBox>(*dlg, 1019)->isChecked());
    click(*dlg, 1116);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);

    QFile f(profilePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_EQ(StoredPassword(stored()), QStringLiteral("Stare-Haslo"));
    // The running program no longer asks at all.
    EXPECT_TRUE(PasswordGuard(PasswordScopeStart));
}

TEST_F(SettingsDlgTest, ChangePasswordWritesTheLiveRecordAtOnce)
{
    Settings().bPassword = 1;
    AssignSettingsText(Settings().szPassword, QStringLiteral("Stare-Haslo"));
    ASSERT_TRUE(SaveSettings());
    auto dlg = open();
    newPassword.answers = {QString(256, QLatin1Char('z')), std::nullopt, QStringLiteral("Nowe-Haslo-1")};
    click(*dlg, 1023); // too long: refused
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_EQ(prompt.shown()[0].caption, PasswordTexts::CannotStoreTitle);
    EXPECT_EQ(prompt.shown()[0].text, PasswordTexts::CannotStore);
    EXPECT_EQ(StoredPassword(Settings()), QStringLiteral("Stare-Haslo"));
    click(*dlg, 1023); // cancelled
    EXPECT_EQ(StoredPassword(Settings()), QStringLiteral("Stare-Haslo"));
    click(*dlg, 1023);
    EXPECT_EQ(StoredPassword(Settings()), QStringLiteral("Nowe-Haslo-1"));
    click(*dlg, 1116);
    // In force for this run, not yet in the profile.
    EXPECT_EQ(StoredPassword(Settings()), QStringLiteral("Nowe-Haslo-1"));
    EXPECT_EQ(StoredPassword(stored()), QStringLiteral("Stare-Haslo"));
}

TEST_F(SettingsDlgTest, ChangeRunsThePasswordDialogInSetMode)
{
    auto dlg = std::make_unique<CSettingsDlg>(nullptr); // the real password dialog
    dlg->show();
    click(*dlg, 1019); // protection on enables "Zmień"
    CPasswordDlg::Mode mode = CPasswordDlg::EnterMode;
    WhenModal<CPasswordDlg>([&](CPasswordDlg* p) {
        mode = p->mode();
        QTest::keyClicks(p->findChild<QLineEdit*>(QStringLiteral("1027")), QStringLiteral("Dialog-Haslo"));
        QTest::keyClicks(p->findChild<QLineEdit*>(QStringLiteral("1029")), QStringLiteral("Dialog-Haslo"));
        QTest::mouseClick(p->findChild<QPushButton*>(QStringLiteral("1")), Qt::LeftButton);
    });
    click(*dlg, 1023);
    EXPECT_EQ(mode, CPasswordDlg::SetMode);
    EXPECT_EQ(StoredPassword(Settings()), QStringLiteral("Dialog-Haslo"));
}

TEST_F(SettingsDlgTest, SaveStoresEveryFieldAndAppliesAutostart)
{
    auto dlg = open({QStringLiteral("ttyUSB0"), QStringLiteral("ttyS10"), QStringLiteral("ttyS2")});
    QComboBox* ports = child<QComboBox>(*dlg, 1006);
    EXPECT_EQ(ports->itemText(0), QStringLiteral("ttyS2")); // natural order
    EXPECT_EQ(ports->itemText(1), QStringLiteral("ttyS10"));
    ports->setCurrentIndex(1);
    child<QComboBox>(*dlg, 1007)->setCurrentIndex(1);
    child<QComboBox>(*dlg, 1008)->setCurrentIndex(0);
    child<QComboBox>(*dlg, 1009)->setCurrentIndex(2);
    child<QComboBox>(*dlg, 1010)->setCurrentIndex(1);
    type(*dlg, 1027, QStringLiteral("247"));
    type(*dlg, 1012, QStringLiteral("0"));
    type(*dlg, 1167, QStringLiteral("5"));
    ports->setCurrentIndex(3); // Modbus TCP, to edit the address and port
    type(*dlg, 1168, QStringLiteral("10.1.2.3"));
    type(*dlg, 1030, QStringLiteral("1502"));
    ports->setCurrentIndex(1);
    for (int id : {1014, 1029, 1025, 1019, 1020, 1022, 1024, 1173, 1176})
        click(*dlg, id);
    dialogs.addColorAnswer(0x00010203);
    dialogs.addColorAnswer(0x00040506);
    dialogs.addColorAnswer(0x00070809);
    click(*dlg, 1005);
    click(*dlg, 1004);
    click(*dlg, 1028);
    click(*dlg, 1002);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(dlg->isVisible());

    for (const SettingsRecord& r : {Settings(), stored()}) {
        EXPECT_EQ(SettingsText(r.szPortName), QStringLiteral("ttyS10"));
        EXPECT_EQ(r.nBaudIndex, 1u);
        EXPECT_EQ(r.nDataBitsIndex, 0u);
        EXPECT_EQ(r.nParityIndex, 2u);
        EXPECT_EQ(r.nStopBitsIndex, 1u);
        EXPECT_EQ(r.nDeviceAddress, 247);
        EXPECT_EQ(r.nTimeout, 0u);
        EXPECT_EQ(r.nRetries, 5u);
        EXPECT_EQ(r.nIpAddress, 0x0A010203u);
        EXPECT_EQ(r.nTcpPort, 1502u);
        EXPECT_EQ(r.bTopMost, 1);
        EXPECT_EQ(r.bAutoStart, 1);
        EXPECT_EQ(r.bAutoConnect, 1);
        EXPECT_EQ(r.bPassword, 1);
        EXPECT_EQ(r.nPasswordScope, 0x02u | 0x08u | 0x20u);
        EXPECT_EQ(r.bGraphicStyle, 1);
        EXPECT_EQ(r.clrBackground, 0x00010203u);
        EXPECT_EQ(r.clrText, 0x00040506u);
        EXPECT_EQ(r.clrParameter, 0x00070809u);
        EXPECT_EQ(r.bAnalogTemp1, 1);
        EXPECT_EQ(r.bAnalogTemp2, 0);
        EXPECT_EQ(r.bAnalogCurrent, 0);
        EXPECT_EQ(r.bAnalogVoltage, 1);
    }
    EXPECT_TRUE(QFile::exists(autostartFolder() + QStringLiteral("/CPL_RELVO7.desktop")));
    EXPECT_TRUE(prompt.shown().isEmpty());

    // Reopened, the dialog shows what was saved.
    Settings() = DefaultSettingsRecord();
    ASSERT_TRUE(LoadSettings());
    auto again = open({QStringLiteral("ttyS2"), QStringLiteral("ttyS10")});
    EXPECT_EQ(child<QComboBox>(*again, 1006)->currentText(), QStringLiteral("ttyS10"));
    EXPECT_EQ(child<QLineEdit>(*again, 1168)->text(), QStringLiteral("10.1.2.3"));
    EXPECT_EQ(child<QLineEdit>(*again, 1027)->text(), QStringLiteral("247"));
    EXPECT_TRUE(child<QCheckBox>(*again, 1022)->isChecked());
    EXPECT_FALSE(child<QCheckBox>(*again, 1021)->isChecked());
    EXPECT_TRUE(child<QCheckBox>(*again, 1176)->isChecked());
}

TEST_F(SettingsDlgTest, FailedSaveIsReportedAndTheLiveRecordKeepsTheValues)
{
    QFile blocker(path(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SetProfileFilePath(path(QStringLiteral("blocker/CPL_RELVO7.conf")));
    auto dlg = open();
    type(*dlg, 1012, QStringLiteral("750"));
    click(*dlg, 1029); // autostart on, but the save fails: no entry
    click(*dlg, 1002);
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_EQ(prompt.shown()[0].caption, QStringLiteral("Błąd"));
    EXPECT_EQ(prompt.shown()[0].text, SettingsTexts::SaveFailed);
    EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Error);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(Settings().nTimeout, 750u);
    EXPECT_FALSE(QFile::exists(autostartFolder() + QStringLiteral("/CPL_RELVO7.desktop")));
}

TEST_F(SettingsDlgTest, UnreadableNumberKeepsTheDialogOpen)
{
    auto dlg = open();
    type(*dlg, 1012, QString()); // empty
    QTest::keyClicks(child<QLineEdit>(*dlg, 1167), QStringLiteral("x")); // refused by the digits-only rule
    EXPECT_EQ(child<QLineEdit>(*dlg, 1167)->text(), QStringLiteral("3"));
    click(*dlg, 1002);
    EXPECT_TRUE(dlg->isVisible());
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_EQ(prompt.shown()[0].text, SettingsTexts::InvalidNumber);
    EXPECT_FALSE(QFile::exists(profilePath()));
    type(*dlg, 1027, QStringLiteral("99999999999")); // beyond 32 bits
    type(*dlg, 1012, QStringLiteral("100"));
    click(*dlg, 1002);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(prompt.shown().size(), 2);
    EXPECT_EQ(Settings().nTimeout, 500u);
}

TEST_F(SettingsDlgTest, EscapeDoesNotCloseTheDialog)
{
    auto dlg = open();
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    EXPECT_TRUE(dlg->isVisible());
}

} // namespace
} // namespace relvo7::test
