// Password rules, the guard of the protected actions, and CPasswordDlg
// driven through its controls.
#include "ShellTestFixture.h"
#include "settings/CPasswordDlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace relvo7::test {
namespace {

TEST(PasswordRules, NewPasswordLengthAndRepeat)
{
    struct Case {
        const char* password;
        const char* repeat;
        bool shown;
        NewPasswordCheck expected;
    };
    const Case cases[] = {
        {"Abc1234", "Abc1234", false, NewPasswordCheck::TooShort},
        {"Abc1234", "", true, NewPasswordCheck::TooShort},
        {"Abc12345", "Abc12345", false, NewPasswordCheck::Accepted},
        {"Abc12345", "Abc12346", false, NewPasswordCheck::RepeatDiffers},
        {"Abc12345", "abc12345", false, NewPasswordCheck::RepeatDiffers},
        {"Abc12345", "", true, NewPasswordCheck::Accepted},
        {"Abc12345", "other", true, NewPasswordCheck::Accepted},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckNewPassword(QString::fromUtf8(c.password), QString::fromUtf8(c.repeat), c.shown), c.expected)
            << c.password << " / " << c.repeat << " shown=" << c.shown;
}

TEST(PasswordRules, ComparisonIsExactAndCaseSensitive)
{
    SettingsRecord r = DefaultSettingsRecord();
    EXPECT_TRUE(PasswordMatches(r, QString())); // empty matches empty
    EXPECT_FALSE(PasswordMatches(r, QStringLiteral(" ")));
    ASSERT_TRUE(StoreNewPassword(r, QStringLiteral("Hasło123")));
    EXPECT_TRUE(PasswordMatches(r, QStringLiteral("Hasło123")));
    EXPECT_FALSE(PasswordMatches(r, QStringLiteral("hasło123")));
    EXPECT_FALSE(PasswordMatches(r, QStringLiteral("HASŁO123")));
    EXPECT_FALSE(PasswordMatches(r, QStringLiteral("Hasło1234")));
    EXPECT_FALSE(PasswordMatches(r, QStringLiteral("Hasło12")));
}

TEST(PasswordRules, NewPasswordOver255CharactersIsRefused)
{
    SettingsRecord r = DefaultSettingsRecord();
    ASSERT_TRUE(StoreNewPassword(r, QStringLiteral("old-password")));
    EXPECT_FALSE(StoreNewPassword(r, QString(256, QLatin1Char('a'))));
    EXPECT_EQ(StoredPassword(r), QStringLiteral("old-password"));
    EXPECT_TRUE(StoreNewPassword(r, QString(255, QLatin1Char('b'))));
    EXPECT_EQ(StoredPassword(r), QString(255, QLatin1Char('b')));
    // A shorter one clears every place of the old one.
    ASSERT_TRUE(StoreNewPassword(r, QStringLiteral("short")));
    for (std::size_t i = 5; i < kSettingsTextChars; ++i)
        ASSERT_EQ(r.szPassword[i], u'\0') << i;
}

class PasswordGuardTest : public ShellTest {};

TEST_F(PasswordGuardTest, AsksOnlyWhenProtectionAndScopeBitAreSet)
{
    struct Case {
        int protect;
        std::uint32_t scope;
        PasswordScope action;
        bool asks;
    };
    const Case cases[] = {
        {0, 0x3E, PasswordScopeStart, false},     {1, 0x00, PasswordScopeStart, false},
        {1, 0x02, PasswordScopeStart, true},      {1, 0x02, PasswordScopeSettings, false},
        {1, 0x04, PasswordScopeSettings, true},   {1, 0x08, PasswordScopeParameters, true},
        {1, 0x10, PasswordScopeConnect, true},    {1, 0x20, PasswordScopeDatabase, true},
        {1, 0x3E, PasswordScopeDatabase, true},   {1, 0x1E, PasswordScopeDatabase, false},
    };
    for (const Case& c : cases) {
        SettingsRecord r = DefaultSettingsRecord();
        r.bPassword = c.protect;
        r.nPasswordScope = c.scope;
        ScriptedPasswordEntry entry; // cancels
        const bool allowed = PasswordGuard(c.action, entry, r);
        EXPECT_EQ(entry.asked, c.asks ? 1 : 0) << c.scope << " " << c.action;
        EXPECT_EQ(allowed, !c.asks) << c.scope << " " << c.action;
    }
}

TEST_F(PasswordGuardTest, RightWrongCancelledAndEmptyEntries)
{
    Settings().bPassword = 1;
    Settings().nPasswordScope = PasswordScopeConnect;
    // Empty stored password: an empty entry is accepted.
    password.answers = {QString()};
    EXPECT_TRUE(PasswordGuard(PasswordScopeConnect));
    ASSERT_TRUE(StoreNewPassword(Settings(), QStringLiteral("Sekret-99")));
    password.answers = {QStringLiteral("Sekret-99"), QStringLiteral("sekret-99"), std::nullopt, QString()};
    EXPECT_TRUE(PasswordGuard(PasswordScopeConnect));
    EXPECT_FALSE(PasswordGuard(PasswordScopeConnect));
    EXPECT_FALSE(PasswordGuard(PasswordScopeConnect));
    EXPECT_FALSE(PasswordGuard(PasswordScopeConnect));
    EXPECT_TRUE(prompt.shown().isEmpty()); // a wrong password says nothing
}

class PasswordDlgTest : public ShellTest {
protected:
    template <class W>
    W* child(QWidget& dlg, const char* name)
    {
        W* w = dlg.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void type(QWidget& dlg, const char* name, const QString& text)
    {
        QLineEdit* e = child<QLineEdit>(dlg, name);
        e->clear();
        QTest::keyClicks(e, text);
    }
    void clickSave(QWidget& dlg) { QTest::mouseClick(child<QPushButton>(dlg, "1"), Qt::LeftButton); }
};

TEST_F(PasswordDlgTest, ModesShowTheirLabelAndRepeatField)
{
    CPasswordDlg enter(nullptr, CPasswordDlg::EnterMode);
    enter.show();
    EXPECT_EQ(enter.windowTitle(), PasswordTexts::Title);
    EXPECT_EQ(child<QLabel>(enter, "1030")->text(), PasswordTexts::EnterLabel);
    EXPECT_FALSE(child<QLineEdit>(enter, "1029")->isVisible());
    EXPECT_EQ(child<QLineEdit>(enter, "1027")->echoMode(), QLineEdit::Password);

    CPasswordDlg set(nullptr, CPasswordDlg::SetMode);
    set.show();
    EXPECT_EQ(child<QLabel>(set, "1030")->text(), PasswordTexts::NewLabel);
    EXPECT_TRUE(child<QLineEdit>(set, "1029")->isVisible());
    EXPECT_TRUE(child<QLabel>(set, "1031")->isVisible());
    EXPECT_EQ(child<QLineEdit>(set, "1027")->maxLength(), 255);
}

TEST_F(PasswordDlgTest, SetModeRefusesShortPasswordAndStaysOpen)
{
    CPasswordDlg dlg(nullptr, CPasswordDlg::SetMode);
    dlg.show();
    type(dlg, "1027", QStringLiteral("Abc1234"));
    type(dlg, "1029", QStringLiteral("Abc1234"));
    clickSave(dlg);
    EXPECT_TRUE(dlg.isVisible());
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_EQ(prompt.shown()[0].text, PasswordTexts::TooShort);
    EXPECT_EQ(prompt.shown()[0].caption, PasswordTexts::Title);
    EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Warning);

    type(dlg, "1027", QStringLiteral("Abc12345"));
    type(dlg, "1029", QStringLiteral("Abc12345"));
    clickSave(dlg);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.password(), QStringLiteral("Abc12345"));
}

TEST_F(PasswordDlgTest, DifferentRepeatIsAnErrorUnlessCharactersAreShown)
{
    CPasswordDlg dlg(nullptr, CPasswordDlg::SetMode);
    dlg.show();
    type(dlg, "1027", QStringLiteral("Abc12345"));
    type(dlg, "1029", QStringLiteral("Abc12399"));
    clickSave(dlg);
    EXPECT_TRUE(dlg.isVisible());
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_EQ(prompt.shown()[0].text, PasswordTexts::RepeatDiffers);
    EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Error);

    // Showing the characters empties and disables the repeat and unmasks.
    QTest::mouseClick(child<QCheckBox>(dlg, "1028"), Qt::LeftButton);
    QLineEdit* repeat = child<QLineEdit>(dlg, "1029");
    EXPECT_FALSE(repeat->isEnabled());
    EXPECT_TRUE(repeat->text().isEmpty());
    EXPECT_EQ(child<QLineEdit>(dlg, "1027")->echoMode(), QLineEdit::Normal);
    clickSave(dlg);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(prompt.shown().size(), 1);

    // Clearing it masks again and enables the repeat.
    CPasswordDlg again(nullptr, CPasswordDlg::SetMode);
    again.show();
    QCheckBox* show = child<QCheckBox>(again, "1028");
    QTest::mouseClick(show, Qt::LeftButton);
    QTest::mouseClick(show, Qt::LeftButton);
    EXPECT_TRUE(child<QLineEdit>(again, "1029")->isEnabled());
    EXPECT_EQ(child<QLineEdit>(again, "1027")->echoMode(), QLineEdit::Password);
}

TEST_F(PasswordDlgTest, EntryModeAcceptsAnyTextAndCancelEmptiesIt)
{
    CPasswordDlg dlg(nullptr, CPasswordDlg::EnterMode);
    dlg.show();
    type(dlg, "1027", QStringLiteral("x"));
    clickSave(dlg);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.password(), QStringLiteral("x"));
    EXPECT_TRUE(prompt.shown().isEmpty());

    CPasswordDlg cancelled(nullptr, CPasswordDlg::EnterMode);
    cancelled.show();
    type(cancelled, "1027", QStringLiteral("typed"));
    QTest::mouseClick(child<QPushButton>(cancelled, "2"), Qt::LeftButton);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_TRUE(cancelled.password().isEmpty());
}

} // namespace
} // namespace relvo7::test
