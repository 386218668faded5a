#pragma once
// The welcome dialog (title "Powitanie"): a caption-less window with the
// welcome picture, shown for three seconds after the screen and data-folder
// checks (WelcomeChecks.h).
#include <QDialog>

class QLabel;

namespace relvo7 {

class CInitialDlg : public QDialog {
    Q_OBJECT
public:
    explicit CInitialDlg(QWidget* parent = nullptr, int milliseconds = 3000);

    // The whole run: checks, then the timed display. true = ended with OK.
    bool run();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeOnScreen();
    int m_milliseconds;
    QLabel* m_picture; // 1032
};

} // namespace relvo7
