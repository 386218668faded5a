#include "Autostart.h"

#include "Prompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <mutex>
#include <QSaveFile>
#include <QStandardPaths>

namespace relvo7 {

namespace {

std::mutex g_mutex;
QString g_folderOverride;
QString g_programOverride;

// A desktop-entry Exec argument: always quoted; inside quotes the characters
// " ` $ \ are escaped with a backslash, and the value's own escaping doubles
// every backslash again. '%' starts a field code and is written as "%%".
QString ExecArgument(const QString& path)
{
    QString quoted;
    for (QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    quoted.replace(QLatin1String("%"), QLatin1String("%%"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString AutostartFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart");
}

QString AutostartEntryName() { return QStringLiteral("CPL_RELVO7.desktop"); }

QString AutostartEntryText(const QString& programPath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=CPL_RELVO7\n"
                          "Exec=%1\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(ExecArgument(programPath));
}

AutostartResult SetAutostartEntry(bool enabled, const QString& programPath, const QString& folder)
{
    if (folder.isEmpty() || !QDir().mkpath(folder) || !QFileInfo(folder).isWritable())
        return AutostartResult::FolderUnavailable;
    const QString entry = QDir(folder).filePath(AutostartEntryName());
    if (!enabled) {
        QFile::remove(entry); // a missing entry is fine
        return AutostartResult::Done;
    }
    // A line break in the path would end the Exec line early.
    if (programPath.isEmpty() || programPath.contains(QLatin1Char('\n')) || programPath.contains(QLatin1Char('\r')))
        return AutostartResult::WriteFailed;
    QSaveFile file(entry);
    if (!file.open(QIODevice::WriteOnly))
        return AutostartResult::WriteFailed;
    file.write(AutostartEntryText(programPath).toUtf8());
    return file.commit() ? AutostartResult::Done : AutostartResult::WriteFailed;
}

void SetAutostartLocationForTesting(const QString& folder, const QString& programPath)
{
    std::lock_guard lock(g_mutex);
    g_folderOverride = folder;
    g_programOverride = programPath;
}

void ApplyAutostart(bool enabled)
{
    QString folder, program;
    {
        std::lock_guard lock(g_mutex);
        folder = g_folderOverride;
        program = g_programOverride;
    }
    if (folder.isEmpty())
        folder = AutostartFolder();
    if (program.isEmpty() && QCoreApplication::instance())
        program = QCoreApplication::applicationFilePath();

    switch (SetAutostartEntry(enabled, program, folder)) {
    case AutostartResult::Done:
        break;
    case AutostartResult::FolderUnavailable:
        prompt().ask({QStringLiteral("Błąd"), AutostartTexts::NoAccess, PromptIcon::Warning, PromptOk, PromptOk});
        break;
    case AutostartResult::WriteFailed:
        prompt().ask({QStringLiteral("Błąd"), AutostartTexts::WriteFailed, PromptIcon::Warning, PromptOk, PromptOk});
        break;
    }
}

} // namespace relvo7
