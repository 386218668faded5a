#include "DataFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace relvo7 {

QString DataRootFolder()
{
    const QString fromEnv = qEnvironmentVariable("RELVO7_DATA_DIR");
    if (!fromEnv.isEmpty())
        return QDir::cleanPath(fromEnv);
    if (QCoreApplication::instance()) {
        const QString programDir = QCoreApplication::applicationDirPath();
        if (QFileInfo(programDir).isWritable())
            return programDir;
    }
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString SettingsFolderPath() { return QDir(DataRootFolder()).filePath(QStringLiteral("relvo_settings")); }
QString DatabaseFolderPath() { return QDir(DataRootFolder()).filePath(QStringLiteral("relvo_db")); }

namespace {

bool MakeFolder(const QString& path)
{
    // mkpath succeeds for a folder that exists; a file of that name fails.
    return QDir().mkpath(path) && QFileInfo(path).isDir();
}

} // namespace

DataFoldersResult CreateDataFolders(const QString& root)
{
    if (root.isEmpty() || !MakeFolder(QDir(root).filePath(QStringLiteral("relvo_settings"))))
        return DataFoldersResult::SettingsFolderFailed;
    if (!MakeFolder(QDir(root).filePath(QStringLiteral("relvo_db"))))
        return DataFoldersResult::DatabaseFolderFailed;
    return DataFoldersResult::Ok;
}

} // namespace relvo7
