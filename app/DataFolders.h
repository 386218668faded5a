#pragma once
// The program's two data folders, "relvo_settings" and "relvo_db".
// They live beside the program file when that folder is writable, otherwise
// in the user's data folder (QStandardPaths::AppDataLocation, e.g.
// ~/.local/share/Tarnwell/CPL_RELVO7). RELVO7_DATA_DIR, when set, names the
// folder that holds both. QtCore only.
#include <QString>

namespace relvo7 {

QString DataRootFolder();
QString SettingsFolderPath(); // <root>/relvo_settings
QString DatabaseFolderPath(); // <root>/relvo_db

enum class DataFoldersResult { Ok, SettingsFolderFailed, DatabaseFolderFailed };

// Creates both folders under `root` (folders that exist already are fine).
DataFoldersResult CreateDataFolders(const QString& root);

} // namespace relvo7
