#include "CPasswordDlg.h"

#include "app/Prompt.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace relvo7 {

CPasswordDlg::CPasswordDlg(QWidget* owner, Mode mode) : QDialog(owner), m_mode(mode)
{
    setObjectName(QStringLiteral("130"));
    setWindowTitle(PasswordTexts::Title);

    m_label = new QLabel(mode == SetMode ? PasswordTexts::NewLabel : PasswordTexts::EnterLabel, this);
    m_label->setObjectName(QStringLiteral("1030"));
    m_passwordEdit = new QLineEdit(this);
    m_passwordEdit->setObjectName(QStringLiteral("1027"));
    m_repeatLabel = new QLabel(QStringLiteral("Powtórz:"), this);
    m_repeatLabel->setObjectName(QStringLiteral("1031"));
    m_repeatEdit = new QLineEdit(this);
    m_repeatEdit->setObjectName(QStringLiteral("1029"));
    m_showCheck = new QCheckBox(QStringLiteral("Wyświetl znaki podczas wpisywania"), this);
    m_showCheck->setObjectName(QStringLiteral("1028"));

    for (QLineEdit* e : {m_passwordEdit, m_repeatEdit}) {
        e->setMaxLength(kPasswordMaxLength);
        e->setEchoMode(QLineEdit::Password);
    }
    // Masked with the asterisk (42).
    setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    m_repeatLabel->setVisible(mode == SetMode);
    m_repeatEdit->setVisible(mode == SetMode);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(QStringLiteral("Zapisz"), QDialogButtonBox::AcceptRole);
    save->setObjectName(QStringLiteral("1"));
    save->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CPasswordDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPasswordDlg::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(m_label, 0, 0);
    grid->addWidget(m_passwordEdit, 0, 1);
    grid->addWidget(m_repeatLabel, 1, 0);
    grid->addWidget(m_repeatEdit, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_showCheck);
    layout->addWidget(buttons);

    // The members always mirror what is typed.
    connect(m_passwordEdit, &QLineEdit::textChanged, this, [this](const QString& t) { m_password = t; });
    connect(m_repeatEdit, &QLineEdit::textChanged, this, [this](const QString& t) { m_repeat = t; });
    connect(m_showCheck, &QCheckBox::toggled, this, &CPasswordDlg::onShowCharacters);
    m_passwordEdit->setFocus();
}

void CPasswordDlg::onShowCharacters(bool show)
{
    m_showCharacters = show;
    if (show) {
        m_repeatEdit->clear();
        m_repeatEdit->setEnabled(false);
    } else {
        m_repeatEdit->setEnabled(true);
    }
    const QLineEdit::EchoMode echo = show ? QLineEdit::Normal : QLineEdit::Password;
    m_passwordEdit->setEchoMode(echo);
    m_repeatEdit->setEchoMode(echo);
    update();
}

void CPasswordDlg::accept()
{
    if (m_mode == SetMode) {
        switch (CheckNewPassword(m_password, m_repeat, m_showCharacters)) {
        case NewPasswordCheck::TooShort:
            prompt().ask({PasswordTexts::Title, PasswordTexts::TooShort, PromptIcon::Warning, PromptOk, PromptOk});
            return;
        case NewPasswordCheck::RepeatDiffers:
            prompt().ask({PasswordTexts::Title, PasswordTexts::RepeatDiffers, PromptIcon::Error, PromptOk, PromptOk});
            return;
        case NewPasswordCheck::Accepted:
            break;
        }
    }
    QDialog::accept();
}

void CPasswordDlg::reject()
{
    m_passwordEdit->clear();
    m_repeatEdit->clear();
    m_password.clear();
    m_repeat.clear();
    QDialog::reject();
}

std::optional<QString> PasswordDialogEntry::enterPassword()
{
    CPasswordDlg dlg(nullptr, CPasswordDlg::EnterMode);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.password();
}

std::optional<QString> NewPasswordDialogEntry::enterPassword()
{
    CPasswordDlg dlg(m_owner, CPasswordDlg::SetMode);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.password();
}

} // namespace relvo7
