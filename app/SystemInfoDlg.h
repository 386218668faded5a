#pragma once
// The system-information window of the About box: Qt, operating system,
// processor, screens and the program's own folders.
#include <QDialog>

namespace relvo7 {

class SystemInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit SystemInfoDlg(QWidget* parent = nullptr);

    static QString SystemInfoText();
};

} // namespace relvo7
