#pragma once
// What the settings dialog shows, as plain values: the dialog keeps one of
// these in step with its controls and moves it to and from the record with
// LoadControls / StoreControls. Headless so the rules are tested without
// windows.
#include "SettingsRecord.h"

#include <QString>
#include <QStringList>
#include <array>

namespace relvo7 {

namespace SettingsTexts {
inline const QString Title = QStringLiteral("Ustawienia");
inline const QString ModbusTcp = QStringLiteral("Modbus TCP");
inline const QString PasswordPlaceholder = QStringLiteral("Qm4#tV9!pL2&");
inline const QString SaveFailed = QStringLiteral("Nie można zapisać ustawień. Ponów próbę później.");
inline const QString DefaultsTitle = QStringLiteral("Przywrócenie ustawień fabrycznych");
inline const QString DefaultsQuestion = QStringLiteral(
    "UWAGA: Wszystkie ustawienia zostaną zastąpione przez ustawienia fabryczne. Czy chcesz kontynuować?");
inline const QString StyleTitle = QStringLiteral("RELVO-7");
inline const QString StyleRestart =
    QStringLiteral("Ustawienia interfejsu zaczną obowiązywać po ponownym uruchomieniu programu.");
inline const QString InvalidNumber = QStringLiteral("Wprowadź liczbę całkowitą.");
} // namespace SettingsTexts

// Fixed list contents; the positions are the indexes COM_Setup takes.
QStringList BaudEntries();     // "9600", "19200"
QStringList DataBitsEntries(); // "5" .. "8"
QStringList ParityEntries();   // "Nie", "Nieparzysty", "Parzysty"
QStringList StopBitsEntries(); // "1", "1.5", "2"

// Entries of the port list: the serial device names found (busy ones
// included) in natural order ("ttyS2" before "ttyS10"), then "Modbus TCP".
QStringList PortEntries(const QStringList& deviceNames);

// The five scope check boxes in dialog order and their bits.
constexpr std::array<PasswordScope, 5> kScopeBits = {PasswordScopeStart, PasswordScopeSettings,
                                                     PasswordScopeParameters, PasswordScopeConnect,
                                                     PasswordScopeDatabase};

struct SettingsForm {
    QStringList ports;
    int port = 0; // selected entry of the port list
    int baud = 0, dataBits = 0, parity = 0, stopBits = 0;
    std::uint32_t ipAddress = 0;
    // Digit-only edits, as typed.
    QString tcpPort, deviceAddress, timeout, retries;
    bool topMost = false, autoStart = false, autoConnect = false, password = false;
    std::uint32_t scope = 0;
    bool graphicStyle = true;
    // The dialog's colours while "Windows graficzny" is chosen.
    ColorRef background = 0, text = 0, parameter = 0;
    bool analogTemp1 = false, analogTemp2 = false, analogCurrent = false, analogVoltage = false;

    bool tcpSelected() const { return port >= 0 && port < ports.size() && ports[port] == SettingsTexts::ModbusTcp; }
};

// LoadControls: the record's values with the port entry whose text equals
// szPortName (case ignored), or the first entry.
SettingsForm LoadControls(const SettingsRecord& record, const QStringList& ports);

// ApplyColourStyle: choosing "Windows graficzny" shows the record's colours
// again (changes not yet saved are dropped).
void ApplyColourStyle(SettingsForm& form, const SettingsRecord& record);

enum class FormField { None, TcpPort, DeviceAddress, Timeout, Retries };

// The first numeric edit whose text is not a number that fits its field.
FormField InvalidNumberField(const SettingsForm& form);

// StoreControls, steps 1 and 2: colours only with "Windows graficzny", then
// every other value. Returns the invalid field and leaves the record
// untouched when a number cannot be read.
FormField StoreControls(const SettingsForm& form, SettingsRecord& record);

// The panel's speed label for nBaudIndex: "19200 bit/s" for 1, else "9600 bit/s".
QString SpeedLabelText(std::uint32_t baudIndex);

// IPv4 text <-> nIpAddress (first number in the most significant byte).
QString IpAddressText(std::uint32_t address);
bool ParseIpAddress(const QString& text, std::uint32_t& address);

} // namespace relvo7
