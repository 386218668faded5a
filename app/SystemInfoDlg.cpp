#include "SystemInfoDlg.h"

#include "DataFolders.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSysInfo>
#include <QThread>
#include <QVBoxLayout>

namespace relvo7 {

namespace {

QString ProcessorName()
{
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (cpuinfo.open(QIODevice::ReadOnly | QIODevice::Text)) {
        // Bounded: the first lines name the processor.
        for (int i = 0; i < 64 && !cpuinfo.atEnd(); ++i) {
            const QByteArray line = cpuinfo.readLine(4096);
            if (line.startsWith("model name")) {
                const int colon = line.indexOf(':');
                if (colon >= 0)
                    return QString::fromUtf8(line.mid(colon + 1)).trimmed();
            }
        }
    }
    return QSysInfo::currentCpuArchitecture();
}

} // namespace

QString SystemInfoDlg::SystemInfoText()
{
    QStringList lines;
    lines << QStringLiteral("Program: %1 %2").arg(QCoreApplication::applicationName(), QCoreApplication::applicationFilePath());
    lines << QStringLiteral("Wersja Qt: %1").arg(QString::fromLatin1(qVersion()));
    lines << QStringLiteral("System operacyjny: %1").arg(QSysInfo::prettyProductName());
    lines << QStringLiteral("Jądro: %1 %2").arg(QSysInfo::kernelType(), QSysInfo::kernelVersion());
    lines << QStringLiteral("Komputer: %1").arg(QSysInfo::machineHostName());
    lines << QStringLiteral("Procesor: %1 (%2, wątki: %3)")
                 .arg(ProcessorName(), QSysInfo::currentCpuArchitecture())
                 .arg(QThread::idealThreadCount());
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (int i = 0; i < screens.size(); ++i) {
        const QScreen* s = screens[i];
        lines << QStringLiteral("Ekran %1: %2, %3 x %4, %5 dpi")
                     .arg(i + 1)
                     .arg(s->name())
                     .arg(s->size().width())
                     .arg(s->size().height())
                     .arg(qRound(s->logicalDotsPerInch()));
    }
    lines << QStringLiteral("Profil ustawień: %1").arg(ProfileFilePath());
    lines << QStringLiteral("Katalog ustawień: %1").arg(SettingsFolderPath());
    lines << QStringLiteral("Katalog bazy danych: %1").arg(DatabaseFolderPath());
    return lines.join(QLatin1Char('\n'));
}

SystemInfoDlg::SystemInfoDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Informacje systemowe"));
    auto* text = new QPlainTextEdit(SystemInfoText(), this);
    text->setReadOnly(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    resize(640, 400);
}

} // namespace relvo7
