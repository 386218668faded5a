#pragma once
// The About box (title "O programie CPL_RELVO7"): the program and its
// version, the range of relay software versions it accepts, a system
// information window and the maker's web site.
#include <QDialog>

namespace relvo7 {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // Label 1161: "Wersja firmware <min> - <max>" from the link library.
    static QString FirmwareRangeText();
    static QString MakerWebAddress();
};

} // namespace relvo7
