#pragma once
// The recorder's texts as the operator sees them (UTF-8).

namespace relvo7 {

inline constexpr const char* kTextStartRetry = "Nie można utworzyć strumienia bazy danych. Czy chcesz spróbować ponownie?";
inline constexpr const char* kTextCannotCreateTemp = "Błąd krytyczny, nie można utworzyć tymczasowego pliku bazy danych. Należy ponownie uruchomić program.";
inline constexpr const char* kTextCannotSaveTemp = "Błąd krytyczny, nie można zapisać tymczasowego pliku bazy danych. Należy ponownie uruchomić program.";
inline constexpr const char* kTextTrayImpossible = "Zapisywanie bazy danych niemożliwe";
inline constexpr const char* kTextTrayPaused = "Zapisywanie bazy danych wstrzymane";
inline constexpr const char* kTextTrayRecording = "Zapisywanie bazy danych włączone";
inline constexpr const char* kTextTrayOff = "Zapisywanie bazy danych wyłączone";
inline constexpr const char* kTextErrorCaption = "Błąd";
inline constexpr const char* kTextTrayInitial = "Baza danych RELVO-7-01";
// Shown while samples cannot be written (disk full or failing); recording goes on.
inline constexpr const char* kTextTrayWriteFailing = "Zapisywanie bazy danych nie powiodło się: błąd zapisu na dysk";

} // namespace relvo7
