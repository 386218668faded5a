#include "SettingsForm.h"

#include "SettingsStore.h"

#include <limits>

namespace relvo7 {

QStringList BaudEntries() { return {QStringLiteral("9600"), QStringLiteral("19200")}; }
QStringList DataBitsEntries()
{
    return {QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")};
}
QStringList ParityEntries()
{
    return {QStringLiteral("Nie"), QStringLiteral("Nieparzysty"), QStringLiteral("Parzysty")};
}
QStringList StopBitsEntries() { return {QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")}; }

namespace {

// "ttyS2" before "ttyS10": runs of digits compare by value.
bool NaturalLess(const QString& a, const QString& b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype ei = i, ej = j;
            while (ei < a.size() && a[ei].isDigit())
                ++ei;
            while (ej < b.size() && b[ej].isDigit())
                ++ej;
            // Compare by value without converting: strip leading zeros, then length, then text.
            QStringView da = QStringView(a).mid(i, ei - i), db = QStringView(b).mid(j, ej - j);
            while (da.size() > 1 && da.front() == u'0')
                da = da.mid(1);
            while (db.size() > 1 && db.front() == u'0')
                db = db.mid(1);
            if (da.size() != db.size())
                return da.size() < db.size();
            if (const int c = da.compare(db); c != 0)
                return c < 0;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j])
                return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

} // namespace

QStringList PortEntries(const QStringList& deviceNames)
{
    QStringList names = deviceNames;
    names.removeAll(QString());
    names.removeDuplicates();
    std::sort(names.begin(), names.end(), NaturalLess);
    names.append(SettingsTexts::ModbusTcp);
    return names;
}

namespace {

bool ParseUnsigned(const QString& text, std::uint32_t& value)
{
    bool ok = false;
    const qulonglong v = text.toULongLong(&ok);
    if (!ok || text.isEmpty() || v > std::numeric_limits<std::uint32_t>::max())
        return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    value = std::uint32_t(v);
    return true;
}

bool ParseSigned(const QString& text, std::int32_t& value)
{
    std::uint32_t v = 0;
    if (!ParseUnsigned(text, v) || v > std::uint32_t(std::numeric_limits<std::int32_t>::max()))
        return false;
    value = std::int32_t(v);
    return true;
}

} // namespace

SettingsForm LoadControls(const SettingsRecord& r, const QStringList& ports)
{
    SettingsForm f;
    f.ports = ports;
    const QString portName = SettingsText(r.szPortName);
    f.port = 0;
    for (int i = 0; i < ports.size(); ++i) {
        if (ports[i].compare(portName, Qt::CaseInsensitive) == 0) {
            f.port = i;
            break;
        }
    }
    f.baud = int(r.nBaudIndex);
    f.dataBits = int(r.nDataBitsIndex);
    f.parity = int(r.nParityIndex);
    f.stopBits = int(r.nStopBitsIndex);
    f.ipAddress = r.nIpAddress;
    f.tcpPort = QString::number(r.nTcpPort);
    f.deviceAddress = QString::number(r.nDeviceAddress);
    f.timeout = QString::number(r.nTimeout);
    f.retries = QString::number(r.nRetries);
    f.topMost = r.bTopMost != 0;
    f.autoStart = r.bAutoStart != 0;
    f.autoConnect = r.bAutoConnect != 0;
    f.password = r.bPassword != 0;
    f.scope = r.nPasswordScope & PasswordScopeAll;
    f.graphicStyle = r.bGraphicStyle != 0;
    f.background = r.clrBackground;
    f.text = r.clrText;
    f.parameter = r.clrParameter;
    f.analogTemp1 = r.bAnalogTemp1 != 0;
    f.analogTemp2 = r.bAnalogTemp2 != 0;
    f.analogCurrent = r.bAnalogCurrent != 0;
    f.analogVoltage = r.bAnalogVoltage != 0;
    return f;
}

void ApplyColourStyle(SettingsForm& form, const SettingsRecord& record)
{
    if (!form.graphicStyle)
        return;
    form.background = record.clrBackground;
    form.text = record.clrText;
    form.parameter = record.clrParameter;
}

FormField InvalidNumberField(const SettingsForm& f)
{
    std::uint32_t u = 0;
    std::int32_t s = 0;
    if (!ParseSigned(f.deviceAddress, s))
        return FormField::DeviceAddress;
    if (!ParseUnsigned(f.timeout, u))
        return FormField::Timeout;
    if (!ParseUnsigned(f.retries, u))
        return FormField::Retries;
    if (!ParseUnsigned(f.tcpPort, u))
        return FormField::TcpPort;
    return FormField::None;
}

FormField StoreControls(const SettingsForm& f, SettingsRecord& r)
{
    if (const FormField bad = InvalidNumberField(f); bad != FormField::None)
        return bad;
    if (f.graphicStyle) {
        r.clrBackground = f.background;
        r.clrText = f.text;
        r.clrParameter = f.parameter;
    }
    std::int32_t address = 0;
    ParseSigned(f.deviceAddress, address);
    SharedStore(r.nDeviceAddress, address);
    const QString port = (f.port >= 0 && f.port < f.ports.size()) ? f.ports[f.port] : QString();
    AssignSettingsText(r.szPortName, port.left(int(kSettingsTextChars) - 1));
    r.nBaudIndex = std::uint32_t(std::max(f.baud, 0));
    r.nDataBitsIndex = std::uint32_t(std::max(f.dataBits, 0));
    r.nParityIndex = std::uint32_t(std::max(f.parity, 0));
    r.nStopBitsIndex = std::uint32_t(std::max(f.stopBits, 0));
    ParseUnsigned(f.timeout, r.nTimeout);
    ParseUnsigned(f.retries, r.nRetries);
    ParseUnsigned(f.tcpPort, r.nTcpPort);
    r.nIpAddress = f.ipAddress;
    r.bTopMost = f.topMost;
    r.bAutoStart = f.autoStart;
    r.bGraphicStyle = f.graphicStyle;
    r.bPassword = f.password;
    r.bAutoConnect = f.autoConnect;
    r.nPasswordScope = f.scope & PasswordScopeAll;
    r.bAnalogTemp1 = f.analogTemp1;
    r.bAnalogTemp2 = f.analogTemp2;
    r.bAnalogCurrent = f.analogCurrent;
    r.bAnalogVoltage = f.analogVoltage;
    return FormField::None;
}

QString SpeedLabelText(std::uint32_t baudIndex)
{
    return baudIndex == 1 ? QStringLiteral("19200 bit/s") : QStringLiteral("9600 bit/s");
}

QString IpAddressText(std::uint32_t a)
{
    return QStringLiteral("%1.%2.%3.%4").arg(a >> 24).arg((a >> 16) & 0xFF).arg((a >> 8) & 0xFF).arg(a & 0xFF);
}

bool ParseIpAddress(const QString& text, std::uint32_t& address)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    std::uint32_t a = 0;
    for (const QString& p : parts) {
        std::uint32_t v = 0;
        if (!ParseUnsigned(p.trimmed(), v) || v > 255)
            return false;
        a = (a << 8) | v;
    }
    address = a;
    return true;
}

} // namespace relvo7
