#pragma once
// Password protection: the rules of the password dialog and the guard that
// the five protected actions call. Headless (QtCore); the dialog itself is
// CPasswordDlg in the widgets part.
#include "SettingsRecord.h"

#include <QString>
#include <optional>

namespace relvo7 {

// Texts of the password dialog and its messages.
namespace PasswordTexts {
inline const QString Title = QStringLiteral("Wprowadzenie hasła");
inline const QString EnterLabel = QStringLiteral("Wprowadź hasło:");
inline const QString NewLabel = QStringLiteral("  Nowe hasło:");
inline const QString TooShort = QStringLiteral("Hasło powinno zawierać nie mniej niż 8 znaków.");
inline const QString RepeatDiffers = QStringLiteral("Błąd podczas wpisywania hasła.");
inline const QString CannotStoreTitle = QStringLiteral("Błędne hasło");
inline const QString CannotStore = QStringLiteral("Nie można zapisać nowego hasła.");
} // namespace PasswordTexts

constexpr int kPasswordMinLength = 8;
constexpr int kPasswordMaxLength = 255;

enum class NewPasswordCheck { Accepted, TooShort, RepeatDiffers };

// "Zapisz" in set mode: at least 8 characters; while the characters are
// masked the repeat must equal the password (with them shown it is not asked).
NewPasswordCheck CheckNewPassword(const QString& password, const QString& repeat, bool showCharacters);

// Exact, case-sensitive comparison with the stored password; an empty stored
// password is matched by an empty entry.
bool PasswordMatches(const SettingsRecord& record, const QString& entered);

// The stored password as text.
QString StoredPassword(const SettingsRecord& record);

// Writes a new password into `record` at once (all 260 places cleared first).
// Longer than 255 characters: refused, record untouched, false.
bool StoreNewPassword(SettingsRecord& record, const QString& password);

// How the guard asks for a password: the GUI runs CPasswordDlg in entry mode;
// tests answer from a script. nullopt = cancelled.
class PasswordEntry {
public:
    virtual ~PasswordEntry() = default;
    virtual std::optional<QString> enterPassword() = 0;
};

// The program-wide password entry (set at start-up by the GUI, or by a test).
PasswordEntry& passwordEntry();
void setPasswordEntry(PasswordEntry* entry);

// CheckPassword: ask once; true only when confirmed and equal to the stored
// password. No message for a wrong password.
bool CheckPassword(PasswordEntry& entry, const SettingsRecord& record);

// The guard of a protected action: asks only when protection is on and the
// action's scope bit is set; true when the action may go ahead.
bool PasswordGuard(PasswordScope scopeBit, PasswordEntry& entry, const SettingsRecord& record);
bool PasswordGuard(PasswordScope scopeBit); // live record, program-wide entry

} // namespace relvo7
