#pragma once
// Automatic start at log-on: the per-user XDG autostart entry
// ~/.config/autostart/CPL_RELVO7.desktop whose Exec is the running program.
// Brought in line with bAutoStart at every start and after every save of the
// settings. QtCore only.
#include <QString>

namespace relvo7 {

enum class AutostartResult {
    Done,
    FolderUnavailable, // the autostart folder cannot be created or written
    WriteFailed,       // the entry could not be written
};

namespace AutostartTexts {
inline const QString NoAccess = QStringLiteral(
    "Brak dostępu do rejestru Windows. Upewnij się, że twoje konto posiada odpowiednie uprawnienia.");
inline const QString WriteFailed = QStringLiteral(
    "Nie można zapisać do rejestru. Automatyczne uruchomienie programu podczas startu Windows nie jest możliwe.");
} // namespace AutostartTexts

// "<config>/autostart" of the user (follows XDG_CONFIG_HOME).
QString AutostartFolder();
QString AutostartEntryName(); // "CPL_RELVO7.desktop"

// The entry's text for `programPath` (Exec quoted as desktop entries require).
QString AutostartEntryText(const QString& programPath);

// Writes the entry when `enabled`, removes it otherwise (a missing entry is no error).
AutostartResult SetAutostartEntry(bool enabled, const QString& programPath, const QString& folder);

// The start-up / settings-dialog operation: sets the entry for the running
// program in the user's autostart folder and reports a failure through the
// prompt ("Błąd", warning icon); the caller goes on in every case.
void ApplyAutostart(bool enabled);

// Which folder and program ApplyAutostart uses (tests point it elsewhere;
// empty values go back to the defaults).
void SetAutostartLocationForTesting(const QString& folder, const QString& programPath);

} // namespace relvo7
