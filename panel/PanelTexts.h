#pragma once
// Every text the panel engine shows, as the relay panel words it (UTF-8).
// Formats are printf formats; "%%" is a percent sign.

namespace relvo7::panel::text {

inline constexpr const char* kFmtCurrent = "%.1f А";
inline constexpr const char* kFmtSeconds = "%d s";
inline constexpr const char* kFmtVolts = "%d V";
inline constexpr const char* kFmtMilliamps = "%.1f mА";
inline constexpr const char* kFmtAnalogVolts = "%.1f V";
inline constexpr const char* kFmtHertz = "%.1f Hz";
inline constexpr const char* kFmtMegaohms = "%.1f MΩ";
inline constexpr const char* kFmtPercent = "%d%%";
inline constexpr const char* kFmtDegrees = "%d *C";
inline constexpr const char* kFmtKva = "%.2f kVA";
inline constexpr const char* kFmtKw = "%.2f kW";
inline constexpr const char* kFmtKvar = "%.2f kVAr";
inline constexpr const char* kFmtCos = "%.3f";
inline constexpr const char* kFmtAlarmDecimal = "%.1f %s";
inline constexpr const char* kFmtAlarmInteger = "%d %s";
inline constexpr const char* kTextNo = "Nie";
inline constexpr const char* kTextNoDot = "Nie.";
inline constexpr const char* kTextShort = "Zwarcie";
inline constexpr const char* kTextOpen = "Przerwanie";
inline constexpr const char* kTextOff = "Wył.";
inline constexpr const char* kTextErr = "err";
inline constexpr const char* kIdleCurrent = "0.0 А";
inline constexpr const char* kIdleSeconds = "0 s";
inline constexpr const char* kIdleVolts = "0 V";
inline constexpr const char* kIdleZero = "0";
inline constexpr const char* kIdleDegrees = "0 *C";
inline constexpr const char* kIdleMilliamps = "0.0 mА";
inline constexpr const char* kIdleAnalogVolts = "0.0 V";
inline constexpr const char* kIdleHertz = "0.0 Hz";
inline constexpr const char* kIdleMegaohms = "0.0 MΩ";
inline constexpr const char* kIdlePercent = "0%";
inline constexpr const char* kCaptionConnect = "Podłącz";
inline constexpr const char* kCaptionDisconnect = "Odłącz";
inline constexpr const char* kStatusConnected = "Podłączony";
inline constexpr const char* kStatusDisconnected = "Odłączony";
inline constexpr const char* kFmtClock = "%H : %M : %S";
inline constexpr const char* kFmtAlarmTime = "%H:%M:%S";
inline constexpr const char* kFmtDateTime = "%H : %M : %S / %d.%m.%y";
inline constexpr const char* kMsgTcpOpen = "Modbus TCP/IP - Nie można podłączyć się do węzła IP:%d.%d.%d.%d";
inline constexpr const char* kMsgComOpen = "COM - Nie można otworzyć portu";
inline constexpr const char* kMsgComSetup = "COM - Nie można dokonać ustawień portu";
inline constexpr const char* kMsgIdentify = "Błąd identyfikacji urządzenia. Połączenie jest niemożliwe.\r\nMożliwe przyczyny:\r\n- brak komunikacji z urządzeniem;\r\n- podłączono niekompatybilne urządzenie.";
inline constexpr const char* kMsgFatal = "Nieodwracalny wyjątek. Program zostanie zamknięty.";
inline constexpr const char* kMsgLinkLost = "Połączenie zostało zerwane!";
inline constexpr const char* kCaptionError = "Błąd";
inline constexpr const char* kCaptionWarningUpper = "UWAGA";
inline constexpr const char* kCaptionConfirm = "Potwierdzenie";
inline constexpr const char* kMsgConfirmStart = "Należy potwierdzić uruchomienie\r\n\r\nCzy chcesz uruchomić silnik?";
inline constexpr const char* kMsgConfirmStop = "Należy potwierdzić zatrzymanie\r\n\r\nCzy chcesz zatrzymać silnik?";
inline constexpr const char* kMsgWriteError = "Błąd zapisu parametru.\r\nMożliwe przyczyny: wystąpił błąd podczas zapisu \r\nlub urządzenie nie obsługuje tej funkcji";
inline constexpr const char* kTitleBase = "Panel sterowania RELVO-7";
inline constexpr const char* kFmtTitleConnected = "%s  -  Firmware[%d]  -  Prędkość[%.2f]par./s  -  ";

} // namespace relvo7::panel::text
