#include "CAboutDlg.h"

#include "Prompt.h"
#include "SystemInfoDlg.h"
#include "settings/SettingsStore.h"

#include <relvo7link.h>

#include <QApplication>
#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace relvo7 {

QString CAboutDlg::FirmwareRangeText()
{
    return QString::asprintf("Wersja firmware %d - %d", int(dll_nVerMinor), int(dll_nVerMajor));
}

QString CAboutDlg::MakerWebAddress() { return QStringLiteral("https://www.tarnwell.example/"); }

namespace {

QLabel* Picture(QWidget* parent, int id, const QString& resource, QSize size)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::number(id));
    l->setPixmap(QIcon(resource).pixmap(size));
    l->setFixedSize(size);
    return l;
}

QColor ToQColor(ColorRef c) { return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c)); }

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("100"));
    setWindowTitle(QStringLiteral("O programie CPL_RELVO7"));

    auto* title = new QLabel(QStringLiteral("Panel sterowania RELVO-7"), this);
    title->setObjectName(QStringLiteral("1121"));
    QFont titleFont = title->font();
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    title->setFont(titleFont);
    // The three-line description beside the title.
    auto* description = new QLabel(QStringLiteral("Program do nadzoru przekaźnika zabezpieczającego silnik RELVO-7:\n"
                                                  "pomiary na żywo, parametry, dziennik awarii\n"
                                                  "oraz rejestracja i przegląd pomiarów."),
                                   this);
    auto* range = new QLabel(FirmwareRangeText(), this);
    range->setObjectName(QStringLiteral("1161"));
    auto* version = new QLabel(QStringLiteral("Wersja programu 2.2"), this);
    const QString url = MakerWebAddress();
    auto* link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(url.toHtmlEscaped()), this);
    link->setObjectName(QStringLiteral("1126"));
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    link->setOpenExternalLinks(false);
    connect(link, &QLabel::linkActivated, this, [](const QString& href) { QDesktopServices::openUrl(QUrl(href)); });

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    auto* help = new QPushButton(QStringLiteral("Pomoc"), this);
    help->setObjectName(QStringLiteral("1122"));
    help->setAutoDefault(false);
    auto* sysInfo = new QPushButton(QStringLiteral("Informacje systemowe"), this);
    sysInfo->setObjectName(QStringLiteral("1123"));
    sysInfo->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, [] {
        // The program ships no help pages; the About box says where to look.
        prompt().inform(QStringLiteral("Pomoc"),
                        QStringLiteral("Pomoc do programu jest dostępna na stronie producenta:\n%1")
                            .arg(CAboutDlg::MakerWebAddress()));
    });
    connect(sysInfo, &QPushButton::clicked, this, [this] {
        SystemInfoDlg info(this);
        info.setWindowState(Qt::WindowMaximized);
        info.exec();
    });

    const QSize iconSize(48, 48);
    auto* texts = new QVBoxLayout;
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(Picture(this, 1127, QStringLiteral(":/app/icon151.svg"), iconSize));
    titleRow->addWidget(title, 1);
    titleRow->addWidget(Picture(this, 1128, QStringLiteral(":/app/icon151.svg"), iconSize));
    texts->addLayout(titleRow);
    texts->addWidget(description);
    texts->addSpacing(8);
    texts->addWidget(version);
    texts->addWidget(range);
    texts->addWidget(link);
    texts->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(help);
    buttons->addWidget(sysInfo);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Picture(this, 1120, QStringLiteral(":/app/bitmap173.svg"), QSize(120, 160)), 0, Qt::AlignTop);
    layout->addLayout(texts, 1);
    layout->addLayout(buttons);

    // Colours: the record's in the graphic style, the desktop's otherwise.
    const SettingsRecord& s = Settings();
    if (s.bGraphicStyle) {
        QPalette p = palette();
        p.setColor(QPalette::Window, ToQColor(s.clrBackground));
        p.setColor(QPalette::WindowText, ToQColor(s.clrText));
        setPalette(p);
        setAutoFillBackground(true);
    }
}

} // namespace relvo7
