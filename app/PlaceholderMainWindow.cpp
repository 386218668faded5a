#include "PlaceholderMainWindow.h"

#include "CAboutDlg.h"
#include "CommandLine.h"
#include "settings/CSettingsDlg.h"
#include "settings/PasswordGuard.h"
#include "settings/SettingsStore.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace relvo7 {

PlaceholderMainWindow::PlaceholderMainWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(ApplicationTitle());
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/app/icon151.svg")).pixmap(48, 48));
    auto* title = new QLabel(QStringLiteral("Panel sterowania RELVO-7"), this);
    QFont f = title->font();
    f.setPointSize(14);
    f.setBold(true);
    title->setFont(f);

    m_speed = new QLabel(this);
    m_speed->setObjectName(QStringLiteral("1080"));
    m_address = new QLineEdit(this);
    m_address->setObjectName(QStringLiteral("1048"));
    m_address->setReadOnly(true);
    m_address->setMaximumWidth(80);

    auto* settings = new QPushButton(QStringLiteral("Ustawienia"), this);
    settings->setObjectName(QStringLiteral("1000"));
    auto* about = new QPushButton(QStringLiteral("O programie..."), this);
    about->setObjectName(QStringLiteral("1050"));
    auto* quit = new QPushButton(QStringLiteral("Zakończ"), this);
    quit->setObjectName(QStringLiteral("1049"));
    for (QPushButton* b : {settings, about, quit})
        b->setAutoDefault(false);
    connect(settings, &QPushButton::clicked, this, &PlaceholderMainWindow::openSettings);
    connect(about, &QPushButton::clicked, this, &PlaceholderMainWindow::openAbout);
    connect(quit, &QPushButton::clicked, this, &QDialog::accept);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, &PlaceholderMainWindow::openAbout);

    auto* head = new QHBoxLayout;
    head->addWidget(icon);
    head->addWidget(title, 1);
    auto* values = new QGridLayout;
    values->addWidget(m_speed, 0, 0);
    values->addWidget(m_address, 0, 1, Qt::AlignLeft);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(settings);
    buttons->addWidget(about);
    buttons->addStretch();
    buttons->addWidget(quit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addLayout(values);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(640, 240);

    refreshFromSettings();
    applyTopMost();
}

void PlaceholderMainWindow::openSettings()
{
    if (!PasswordGuard(PasswordScopeSettings))
        return;
    {
        CSettingsDlg dlg(this);
        dlg.exec();
    }
    applyTopMost();
    refreshFromSettings();
}

void PlaceholderMainWindow::openAbout()
{
    CAboutDlg dlg(this);
    dlg.exec();
}

void PlaceholderMainWindow::applyTopMost()
{
    const bool top = Settings().bTopMost != 0;
    if (bool(windowFlags() & Qt::WindowStaysOnTopHint) == top)
        return;
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, top);
    if (visible)
        show(); // changing the flags hides the window
}

void PlaceholderMainWindow::refreshFromSettings()
{
    m_speed->setText(SpeedLabelText(Settings().nBaudIndex));
    m_address->setText(QString::number(SharedLoad(Settings().nDeviceAddress)));
}

void PlaceholderMainWindow::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape do not close the main window.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

int RunPlaceholderMainWindow()
{
    PlaceholderMainWindow window;
    window.exec();
    return 0;
}

} // namespace relvo7
