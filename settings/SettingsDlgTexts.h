#pragma once
// Captions of the settings dialog's controls, by control identifier.
#include <QString>

namespace relvo7::SettingsDlgTexts {

inline const QString Control1006 = QStringLiteral("port COM:");
inline const QString Control1007 = QStringLiteral("Prędkość (bit/s):");
inline const QString Control1008 = QStringLiteral("Bity danych:");
inline const QString Control1009 = QStringLiteral("Parzystość:");
inline const QString Control1010 = QStringLiteral("Bity stopu:");
inline const QString Control1168 = QStringLiteral("Adres IP:");
inline const QString Control1030 = QStringLiteral("Port:");
inline const QString Control1027 = QStringLiteral("Adres urządzenia:");
inline const QString Control1012 = QStringLiteral("Limit czasu odpowiedzi [ms]:");
inline const QString Control1167 = QStringLiteral("Liczba ponownych zapytań:");
inline const QString Control1014 = QStringLiteral("Nad innymi oknami");
inline const QString Control1029 = QStringLiteral("Automatyczne uruchomienie z Windows");
inline const QString Control1025 = QStringLiteral("Automatyczne podłączenie");
inline const QString Control1019 = QStringLiteral("Zabezpiecz hasłem");
inline const QString Control1020 = QStringLiteral("uruchomienia programu");
inline const QString Control1021 = QStringLiteral("otwarcia okna ustawień");
inline const QString Control1022 = QStringLiteral("zmiany parametrów RELVO-7");
inline const QString Control1026 = QStringLiteral("podłączenia do RELVO-7");
inline const QString Control1024 = QStringLiteral("zarządzania bazą danych");
inline const QString Control1016 = QStringLiteral("Windows zwykły");
inline const QString Control1017 = QStringLiteral("Windows graficzny");
inline const QString Control1005 = QStringLiteral("Zmień");
inline const QString Control1004 = QStringLiteral("Zmień");
inline const QString Control1028 = QStringLiteral("Zmień");
inline const QString Control1173 = QStringLiteral("Temperatura 1");
inline const QString Control1174 = QStringLiteral("Temperatura 2");
inline const QString Control1175 = QStringLiteral("Prąd analogowy");
inline const QString Control1176 = QStringLiteral("Napięcie analogowe");
inline const QString Control1002 = QStringLiteral("Zapisz i zakończ");
inline const QString Control1001 = QStringLiteral("Ustawienia domyślne");
inline const QString Control1023 = QStringLiteral("Zmień");
inline const QString Control1116 = QStringLiteral("Zakończ");
inline const QString GroupCommunication = QStringLiteral("Ustawienia komunikacji");
inline const QString GroupSystem = QStringLiteral("Ustawienia systemowe");
inline const QString GroupSecurity = QStringLiteral("Bezpieczeństwo:");
inline const QString GroupAskFor = QStringLiteral("Pytaj o hasło w przypadku:");
inline const QString GroupInterface = QStringLiteral("Ustawienia interfejsu");
inline const QString ColourBackground = QStringLiteral("Kolor tła:");
inline const QString ColourText = QStringLiteral("Kolor tekstu:");
inline const QString ColourParameter = QStringLiteral("Kolor parametru:");
inline const QString GroupAnalog = QStringLiteral("Przycisk analogowy");

} // namespace relvo7::SettingsDlgTexts
