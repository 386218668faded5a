#pragma once
// The main window until the monitoring panel takes its place: it carries the
// panel's buttons "Ustawienia" (1000), "O programie..." (1050) and "Zakończ"
// (1049) with their behaviour, the speed label 1080 and the device-address
// field 1048 that the settings button refreshes, and F1 for the About box.
#include <QDialog>

class QLabel;
class QLineEdit;

namespace relvo7 {

class PlaceholderMainWindow : public QDialog {
    Q_OBJECT
public:
    explicit PlaceholderMainWindow(QWidget* parent = nullptr);

    void openSettings(); // button 1000
    void openAbout();    // button 1050 and F1

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyTopMost();
    void refreshFromSettings();

    QLabel* m_speed;       // 1080
    QLineEdit* m_address;  // 1048
};

// Start-up step 8 with the placeholder: runs it modally; the exit code.
int RunPlaceholderMainWindow();

} // namespace relvo7
