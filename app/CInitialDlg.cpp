#include "CInitialDlg.h"

#include "DataFolders.h"
#include "WelcomeChecks.h"

#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace relvo7 {

namespace {
constexpr int kWidth = 500;
constexpr int kHeight = 190;
} // namespace

CInitialDlg::CInitialDlg(QWidget* parent, int milliseconds)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_milliseconds(milliseconds)
{
    setObjectName(QStringLiteral("131"));
    setWindowTitle(WelcomeTexts::Title);
    setFixedSize(kWidth, kHeight);
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("1032"));
    m_picture->setPixmap(QIcon(QStringLiteral(":/app/bitmap174.svg")).pixmap(kWidth, kHeight));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_picture);
}

void CInitialDlg::placeOnScreen()
{
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.x() + area.width() / 2 - kWidth / 2, area.y() + area.height() / 2 - kHeight / 2);
}

bool CInitialDlg::run()
{
    QScreen* primary = QGuiApplication::primaryScreen();
    const QSize size = primary ? primary->size() : QSize();
    if (!RunWelcomeChecks(size.width(), size.height(), DataRootFolder()))
        return false;
    placeOnScreen();
    QTimer::singleShot(m_milliseconds, this, &QDialog::accept);
    return exec() == QDialog::Accepted;
}

void CInitialDlg::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape do nothing here: the dialog ends by its timer.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace relvo7
