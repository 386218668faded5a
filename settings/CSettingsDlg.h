#pragma once
// The settings dialog (title "Ustawienia"): communication, system options,
// password protection, interface colours and the analog-button options. It
// works on its own copy (SettingsForm) and writes the record only on
// "Zapisz i zakończ"; "Ustawienia domyślne" and the password change act on the
// live record at once.
#include "PasswordGuard.h"
#include "SettingsForm.h"

#include <QDialog>
#include <QStringList>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace relvo7 {

class CSettingsDlg : public QDialog {
    Q_OBJECT
public:
    struct Options {
        SettingsRecord* record = nullptr;         // null: the live record
        std::optional<QStringList> serialDevices; // unset: the ports the system lists
        PasswordEntry* newPassword = nullptr;     // null: CPasswordDlg in set mode
    };
    explicit CSettingsDlg(QWidget* parent = nullptr);
    CSettingsDlg(QWidget* parent, Options options);

    const SettingsForm& form() const { return m_form; }

    // Device names of the serial ports present, busy ones included.
    static QStringList SystemSerialDevices();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void loadControls();
    void showForm();
    void applyTransportRule();
    void applyPasswordRule();
    void applyColourStyle();
    void paintColours();
    void changeColour(ColorRef SettingsForm::*colour);
    void changePassword();
    void restoreDefaults();
    void storeControls();
    QLineEdit* invalidField();

    SettingsRecord& m_record;
    QStringList m_ports;
    PasswordEntry* m_newPassword;
    SettingsForm m_form;

    QComboBox *m_port, *m_baud, *m_dataBits, *m_parity, *m_stopBits;
    QLineEdit *m_ip, *m_tcpPort, *m_address, *m_timeout, *m_retries, *m_passwordBox;
    QCheckBox *m_topMost, *m_autoStart, *m_autoConnect, *m_protect;
    QCheckBox* m_scope[5];
    QCheckBox *m_analogTemp1, *m_analogTemp2, *m_analogCurrent, *m_analogVoltage;
    QRadioButton *m_plain, *m_graphic;
    QPushButton *m_bgButton, *m_textButton, *m_paramButton, *m_changePassword;
    QPushButton *m_save, *m_defaults, *m_close;
    QLabel* m_lockPicture;
};

} // namespace relvo7
