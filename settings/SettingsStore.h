#pragma once
// The per-user profile: QSettings("Tarnwell", "CPL_RELVO7"), group "settings".
// Values: "system" (the SettingsRecord, exactly 1128 bytes), "pow1".."pow3"
// (integers of the panel) and "pdb" (the 28-byte recorder settings).
// The profile file holds the password in plain text, so it is kept readable
// and writable by its owner only. QtCore only.
#include "SettingsRecord.h"

#include <QByteArray>
#include <QString>

namespace relvo7 {

// Text fields as QString (up to the first zero) and assignment from QString
// (all 260 places cleared first; false and untouched when it does not fit).
QString SettingsText(const char16_t (&field)[kSettingsTextChars]);
bool AssignSettingsText(char16_t (&field)[kSettingsTextChars], const QString& text);

// The one live record of the process.
SettingsRecord& Settings();

// LoadSettings: copies "system" over the live record when it exists and is
// exactly 1128 bytes; otherwise leaves the record as it was and returns false.
bool LoadSettings();
// ResetSettings: every field of the live record to its default.
void ResetSettings();
// SaveSettings: writes the whole live record as "system"; true when the
// profile accepted it (file written and read back).
bool SaveSettings();

// The same on any record (tests, dialogs working on a copy).
bool LoadSettings(SettingsRecord& record);
bool SaveSettings(const SettingsRecord& record);

// The small values beside the record.
int LoadProfileInt(const QString& name, int defaultValue);
bool SaveProfileInt(const QString& name, int value);
// Empty when missing; callers check the length they expect (e.g. 28 for "pdb").
QByteArray LoadProfileBinary(const QString& name);
bool SaveProfileBinary(const QString& name, const QByteArray& bytes);

// Where the profile lives: the file QSettings("Tarnwell", "CPL_RELVO7") uses,
// unless a file was set here (tests point it into a temporary folder; an
// empty path goes back to the default).
QString ProfileFilePath();
void SetProfileFilePath(const QString& path);

} // namespace relvo7
