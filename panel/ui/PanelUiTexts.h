#pragma once
// Every caption, heading and fixed text of the panel window (UTF-8). The
// value formats and idle texts the engine writes are in PanelTexts.h.

namespace relvo7::panel::ui {

inline constexpr const char* kGroupRelayState = "STAN RELVO:";
inline constexpr const char* kCaptionTmlpp = "TMLPP";
inline constexpr const char* kCaptionFunctionRelay = "Przekaźnik funkcyjny";
inline constexpr const char* kCaptionMotorRelay = "Przekaźnik silnika";
inline constexpr const char* kGroupRelayMode = "Tryb pracy przekaźnika funkcyjnego:";
inline constexpr const char* kModeSignalling = "przekaźnik sygnalizacji";
inline constexpr const char* kModeTimer = "przekaźnik czasowy";
inline constexpr const char* kModeStarDelta = "gwiazda/trójkąt";
inline constexpr const char* kGroupFault = "STAN AWARII RELVO:";
inline constexpr const char* kCaptionHeating = "Grzanie:";
inline constexpr const char* kCaptionHeatingScale = "x 5 s";
inline constexpr const char* kGroupCurrent = "PRĄD (Amper)";
inline constexpr const char* kGroupPhaseCurrents = "Skuteczne wartości fazowych prądów";
inline constexpr const char* kCaptionPhase1 = "Faza 1:";
inline constexpr const char* kCaptionPhase3 = "Faza 3:";
inline constexpr const char* kGroupNegativeCurrent = "Składowa przeciwna prądu";
inline constexpr const char* kGroupZeroCurrent = "Składowa zerowa prądu";
inline constexpr const char* kCaptionAverageCurrent = "Wartość średnia prądu:";
inline constexpr const char* kCaptionMax = "max.:";
inline constexpr const char* kCaptionPeriod = "za okres:";
inline constexpr const char* kCaptionStartingCurrent = "Prąd rozruchowy silnika:";
inline constexpr const char* kCaptionOverloadCurrent = "Prąd przeciążeniowy";
inline constexpr const char* kGroupVoltage = "NAPIĘCIE (Volt)";
inline constexpr const char* kGroupPhaseVoltages = "Skuteczne wartości napięć fazowych";
inline constexpr const char* kGroupLineVoltages = "Skuteczne wartości napięć liniowych:";
inline constexpr const char* kCaptionAB = "AB:";
inline constexpr const char* kCaptionBC = "BC:";
inline constexpr const char* kCaptionCA = "CA:";
inline constexpr const char* kGroupNegativeVoltage = "Napięcie składowej przeciwnej:";
inline constexpr const char* kCaptionPositiveVoltage = "Napięcie składowej zgodnej:";
inline constexpr const char* kCaptionZeroVoltage = "Napięcie składowej zerowej";
inline constexpr const char* kGroupTime = "CZAS (sekundy)";
inline constexpr const char* kGroupRestartTime = "Czas do SPZ";
inline constexpr const char* kCaptionStartingTime = "Czas rozruchu:";
inline constexpr const char* kCaptionOverloadTripTime = "Czas do odłączenia na skutek przeciążenia:";
inline constexpr const char* kCaptionOverloadWaitTime = "Czas oczekiwania po odłączeniu na skutek przeciążenia:";
inline constexpr const char* kGroupPowers = "MOCE:";
inline constexpr const char* kGroupExtra = "DODATKOWE PARAMETRY";
inline constexpr const char* kCaptionTemperature1 = "Temperatura czujnika 1:";
inline constexpr const char* kCaptionTemperature2 = "Temperatura czujnika 2:";
inline constexpr const char* kCaptionAnalogCurrent = "Wejście analogowe – prądowe:";
inline constexpr const char* kCaptionAnalogVoltage = "Wejście analogowe – napięciowe:";
inline constexpr const char* kCaptionFrequency = "Częstotliwość sieci:";
inline constexpr const char* kCaptionInsulation = "Rezystancja izolacji:";
inline constexpr const char* kGroupMotor = "SILNIK";
inline constexpr const char* kGroupLink = "STAN KOMUNIKACJI Z RELVO:";
inline constexpr const char* kCaptionActivity = "Aktywność:";
inline constexpr const char* kCaptionStatus = "Stan:";
inline constexpr const char* kCaptionSpeed = "Prędkość:";
inline constexpr const char* kSpeed9600 = "9600 bit/s";
inline constexpr const char* kSpeed19200 = "19200 bit/s";
inline constexpr const char* kCaptionConnectionTime = "Czas podłączenia:";
inline constexpr const char* kIdleConnectionClock = "00 : 00 : 00";
inline constexpr const char* kCaptionAddress = "Adres RELVO:";
inline constexpr const char* kButtonConnect = "Podłącz";
inline constexpr const char* kButtonDatabase = "Baza danych";
inline constexpr const char* kButtonSettings = "Ustawienia";
inline constexpr const char* kButtonParameters = "Parametry RELVO";
inline constexpr const char* kButtonJournal = "Dziennik awarii RELVO";
inline constexpr const char* kButtonAbout = "O programie...";
inline constexpr const char* kButtonExit = "Zakończ";
inline constexpr const char* kTemplateDegrees = "0 *С";
inline constexpr const char* kTemplatePercent = "0 %";
inline constexpr const char* kColumnName = "Nazwa";
inline constexpr const char* kColumnCode = "###";
inline constexpr const char* kColumnValue = "Wartość";
inline constexpr const char* kColumnTime = "Czas";
inline constexpr const char* kTrayTooltip = "Baza danych RELVO-7-01";
inline constexpr const char* kFmtHeatingTooltip = "Grzanie: - %d%%";
inline constexpr const char* kMsgCloseConnected = "Uwaga: RELVO jest podłączony, czy na pewno chcesz zakończyć i zerwać połączenie?";
inline constexpr const char* kCaptionCloseConnected = "Uwaga";
inline constexpr const char* kCaptionPhase2 = "Faza 2:";

// The 15 power quantities of the combo boxes 1154 to 1156, in choice order.
inline constexpr const char* kPowerChoices[] = {
    "Moc całkowita",
    "Moc aktywna",
    "Moc reaktywna",
    "Faza 1 Moc całkowita",
    "Faza 2 Moc całkowita",
    "Faza 3 Moc całkowita",
    "Faza 1 Moc aktywna",
    "Faza 2 Moc aktywna",
    "Faza 3 Moc aktywna",
    "Faza 1 Moc reaktywna",
    "Faza 2 Moc reaktywna",
    "Faza 3 Moc reaktywna",
    "Faza 1 Cosinus fi",
    "Faza 2 Cosinus fi",
    "Faza 3 Cosinus fi",
};
inline constexpr int kPowerChoiceCount = 15;

// Profile values of the three power choices.
inline constexpr const char* kPowerProfileNames[] = {"pow1", "pow2", "pow3"};

} // namespace relvo7::panel::ui
