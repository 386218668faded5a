#pragma once
// The password dialog (title "Wprowadzenie hasła"): entry mode asks for the
// password before a guarded action; set mode takes a new password with its
// repeat. The rules live in PasswordGuard.h.
#include "PasswordGuard.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace relvo7 {

class CPasswordDlg : public QDialog {
    Q_OBJECT
public:
    enum Mode { EnterMode = 0, SetMode = 1 };
    CPasswordDlg(QWidget* owner, Mode mode);

    // The typed password (after "Zapisz"; empty after "Anuluj").
    QString password() const { return m_password; }
    Mode mode() const { return m_mode; }

    void accept() override; // "Zapisz"
    void reject() override; // "Anuluj"

private:
    void onShowCharacters(bool show);

    Mode m_mode;
    QString m_password;
    QString m_repeat;
    bool m_showCharacters = false;
    QLabel* m_label = nullptr;       // 1030
    QLineEdit* m_passwordEdit;       // 1027
    QLabel* m_repeatLabel;           // 1031
    QLineEdit* m_repeatEdit;         // 1029
    QCheckBox* m_showCheck;          // 1028
};

// PasswordEntry for the guarded actions: CPasswordDlg in entry mode, no owner.
class PasswordDialogEntry final : public PasswordEntry {
public:
    std::optional<QString> enterPassword() override;
};

// PasswordEntry for a new password: CPasswordDlg in set mode over `owner`.
class NewPasswordDialogEntry final : public PasswordEntry {
public:
    explicit NewPasswordDialogEntry(QWidget* owner) : m_owner(owner) {}
    std::optional<QString> enterPassword() override;

private:
    QWidget* m_owner;
};

} // namespace relvo7
