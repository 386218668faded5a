#include "CSettingsDlg.h"

#include "CPasswordDlg.h"
#include "SettingsDlgTexts.h"
#include "SettingsStore.h"
#include "app/Autostart.h"
#include "app/FileDialogs.h"
#include "app/Prompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSerialPortInfo>
#include <QVBoxLayout>

namespace relvo7 {

namespace T = SettingsDlgTexts;

namespace {

QString Id(int id) { return QString::number(id); }

template <class W>
W* Named(W* w, int id)
{
    w->setObjectName(Id(id));
    return w;
}

QLineEdit* DigitsEdit(QWidget* parent, int id)
{
    auto* e = Named(new QLineEdit(parent), id);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    return e;
}

QComboBox* List(QWidget* parent, int id, const QStringList& entries)
{
    auto* c = Named(new QComboBox(parent), id);
    c->addItems(entries);
    return c;
}

QLabel* Picture(QWidget* parent, int id, const QString& resource, int size)
{
    auto* l = Named(new QLabel(parent), id);
    l->setFixedSize(size, size);
    l->setPixmap(QIcon(resource).pixmap(size, size));
    return l;
}

QColor ToQColor(ColorRef c) { return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c)); }

void SetIndex(QComboBox* c, int index) { c->setCurrentIndex(index >= 0 && index < c->count() ? index : -1); }

} // namespace

QStringList CSettingsDlg::SystemSerialDevices()
{
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names << info.portName();
    return names;
}

CSettingsDlg::CSettingsDlg(QWidget* parent) : CSettingsDlg(parent, Options{}) {}

CSettingsDlg::CSettingsDlg(QWidget* parent, Options options)
    : QDialog(parent), m_record(options.record ? *options.record : Settings()),
      m_ports(PortEntries(options.serialDevices ? *options.serialDevices : SystemSerialDevices())),
      m_newPassword(options.newPassword)
{
    setObjectName(Id(129));
    setWindowTitle(SettingsTexts::Title);
    buildControls();
    loadControls();
    connectControls();
}

void CSettingsDlg::buildControls()
{
    // Communication.
    m_port = List(this, 1006, m_ports);
    m_baud = List(this, 1007, BaudEntries());
    m_dataBits = List(this, 1008, DataBitsEntries());
    m_parity = List(this, 1009, ParityEntries());
    m_stopBits = List(this, 1010, StopBitsEntries());
    m_ip = Named(new QLineEdit(this), 1168);
    m_ip->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,3}\\.[0-9]{0,3}\\.[0-9]{0,3}\\.[0-9]{0,3}")), m_ip));
    m_tcpPort = DigitsEdit(this, 1030);
    m_address = DigitsEdit(this, 1027);
    m_timeout = DigitsEdit(this, 1012);
    m_retries = DigitsEdit(this, 1167);

    auto* comm = new QGroupBox(T::GroupCommunication, this);
    auto* cg = new QGridLayout(comm);
    const std::pair<QString, QWidget*> commRows[] = {
        {T::Control1006, m_port},    {T::Control1007, m_baud},     {T::Control1008, m_dataBits},
        {T::Control1009, m_parity},  {T::Control1010, m_stopBits}, {T::Control1168, m_ip},
        {T::Control1030, m_tcpPort}, {T::Control1027, m_address},  {T::Control1012, m_timeout},
        {T::Control1167, m_retries},
    };
    int row = 0;
    for (const auto& [caption, widget] : commRows) {
        cg->addWidget(new QLabel(caption, comm), row, 0);
        cg->addWidget(widget, row++, 1);
    }
    cg->addWidget(Picture(comm, 1126, QStringLiteral(":/settings/icon147.svg"), 48), 0, 2, 3, 1, Qt::AlignTop);

    // System options and password protection.
    m_topMost = Named(new QCheckBox(T::Control1014, this), 1014);
    m_autoStart = Named(new QCheckBox(T::Control1029, this), 1029);
    m_autoConnect = Named(new QCheckBox(T::Control1025, this), 1025);
    m_protect = Named(new QCheckBox(T::Control1019, this), 1019);
    m_passwordBox = Named(new QLineEdit(this), 1018);
    m_passwordBox->setReadOnly(true);
    m_passwordBox->setEchoMode(QLineEdit::Password);
    m_passwordBox->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }")); // '*'
    m_passwordBox->setText(SettingsTexts::PasswordPlaceholder);
    m_changePassword = Named(new QPushButton(T::Control1023, this), 1023);
    const std::pair<int, const QString*> scopeBoxes[5] = {
        {1020, &T::Control1020}, {1021, &T::Control1021}, {1022, &T::Control1022},
        {1026, &T::Control1026}, {1024, &T::Control1024},
    };
    for (int i = 0; i < 5; ++i)
        m_scope[i] = Named(new QCheckBox(*scopeBoxes[i].second, this), scopeBoxes[i].first);
    m_lockPicture = Named(new QLabel(this), 1125);
    m_lockPicture->setFixedSize(48, 48);

    auto* system = new QGroupBox(T::GroupSystem, this);
    auto* sg = new QVBoxLayout(system);
    auto* sysTop = new QHBoxLayout;
    auto* sysChecks = new QVBoxLayout;
    sysChecks->addWidget(m_topMost);
    sysChecks->addWidget(m_autoStart);
    sysChecks->addWidget(m_autoConnect);
    sysTop->addLayout(sysChecks, 1);
    sysTop->addWidget(Picture(system, 1127, QStringLiteral(":/settings/icon148.svg"), 32), 0, Qt::AlignTop);
    sg->addLayout(sysTop);
    auto* security = new QGroupBox(T::GroupSecurity, system);
    auto* secLayout = new QGridLayout(security);
    secLayout->addWidget(m_lockPicture, 0, 0, 2, 1);
    secLayout->addWidget(m_protect, 0, 1, 1, 2);
    secLayout->addWidget(m_passwordBox, 1, 1);
    secLayout->addWidget(m_changePassword, 1, 2);
    auto* askFor = new QGroupBox(T::GroupAskFor, security);
    auto* askLayout = new QVBoxLayout(askFor);
    for (QCheckBox* c : m_scope)
        askLayout->addWidget(c);
    secLayout->addWidget(askFor, 2, 0, 1, 3);
    sg->addWidget(security);

    // Interface.
    m_plain = Named(new QRadioButton(T::Control1016, this), 1016);
    m_graphic = Named(new QRadioButton(T::Control1017, this), 1017);
    m_bgButton = Named(new QPushButton(T::Control1005, this), 1005);
    m_textButton = Named(new QPushButton(T::Control1004, this), 1004);
    m_paramButton = Named(new QPushButton(T::Control1028, this), 1028);
    auto* iface = new QGroupBox(T::GroupInterface, this);
    auto* ig = new QGridLayout(iface);
    ig->addWidget(m_plain, 0, 0);
    ig->addWidget(m_graphic, 0, 1);
    ig->addWidget(Picture(iface, 1128, QStringLiteral(":/settings/icon149.svg"), 32), 0, 2, Qt::AlignRight);
    ig->addWidget(new QLabel(T::ColourBackground, iface), 1, 0);
    ig->addWidget(m_bgButton, 1, 1);
    ig->addWidget(new QLabel(T::ColourText, iface), 2, 0);
    ig->addWidget(m_textButton, 2, 1);
    ig->addWidget(new QLabel(T::ColourParameter, iface), 3, 0);
    ig->addWidget(m_paramButton, 3, 1);

    m_analogTemp1 = Named(new QCheckBox(T::Control1173, this), 1173);
    m_analogTemp2 = Named(new QCheckBox(T::Control1174, this), 1174);
    m_analogCurrent = Named(new QCheckBox(T::Control1175, this), 1175);
    m_analogVoltage = Named(new QCheckBox(T::Control1176, this), 1176);
    auto* analog = new QGroupBox(T::GroupAnalog, this);
    auto* ag = new QGridLayout(analog);
    ag->addWidget(m_analogTemp1, 0, 0);
    ag->addWidget(m_analogTemp2, 0, 1);
    ag->addWidget(m_analogCurrent, 1, 0);
    ag->addWidget(m_analogVoltage, 1, 1);

    m_save = Named(new QPushButton(T::Control1002, this), 1002);
    m_defaults = Named(new QPushButton(T::Control1001, this), 1001);
    m_close = Named(new QPushButton(T::Control1116, this), 1116);
    m_save->setDefault(true);
    m_defaults->setAutoDefault(false);
    m_close->setAutoDefault(false);
    for (QPushButton* b : {m_bgButton, m_textButton, m_paramButton, m_changePassword})
        b->setAutoDefault(false);

    auto* left = new QVBoxLayout;
    left->addWidget(comm);
    left->addWidget(iface);
    auto* right = new QVBoxLayout;
    right->addWidget(system);
    right->addWidget(analog);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_defaults);
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
}

void CSettingsDlg::connectControls()
{
    // Every control copies its state into the form at each change.
    connect(m_port, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_form.port = i;
        applyTransportRule();
    });
    connect(m_baud, &QComboBox::currentIndexChanged, this, [this](int i) { m_form.baud = i; });
    connect(m_dataBits, &QComboBox::currentIndexChanged, this, [this](int i) { m_form.dataBits = i; });
    connect(m_parity, &QComboBox::currentIndexChanged, this, [this](int i) { m_form.parity = i; });
    connect(m_stopBits, &QComboBox::currentIndexChanged, this, [this](int i) { m_form.stopBits = i; });
    connect(m_ip, &QLineEdit::textChanged, this, [this](const QString& t) { ParseIpAddress(t, m_form.ipAddress); });
    connect(m_tcpPort, &QLineEdit::textChanged, this, [this](const QString& t) { m_form.tcpPort = t; });
    connect(m_address, &QLineEdit::textChanged, this, [this](const QString& t) { m_form.deviceAddress = t; });
    connect(m_timeout, &QLineEdit::textChanged, this, [this](const QString& t) { m_form.timeout = t; });
    connect(m_retries, &QLineEdit::textChanged, this, [this](const QString& t) { m_form.retries = t; });
    const std::pair<QCheckBox*, bool SettingsForm::*> flags[] = {
        {m_topMost, &SettingsForm::topMost},         {m_autoStart, &SettingsForm::autoStart},
        {m_autoConnect, &SettingsForm::autoConnect}, {m_analogTemp1, &SettingsForm::analogTemp1},
        {m_analogTemp2, &SettingsForm::analogTemp2}, {m_analogCurrent, &SettingsForm::analogCurrent},
        {m_analogVoltage, &SettingsForm::analogVoltage},
    };
    for (const auto& [box, member] : flags)
        connect(box, &QCheckBox::toggled, this, [this, member](bool on) { m_form.*member = on; });
    connect(m_protect, &QCheckBox::toggled, this, [this](bool on) {
        m_form.password = on;
        applyPasswordRule();
    });
    for (int i = 0; i < 5; ++i) {
        connect(m_scope[i], &QCheckBox::toggled, this, [this, i](bool on) {
            if (on)
                m_form.scope |= kScopeBits[i];
            else
                m_form.scope &= ~std::uint32_t(kScopeBits[i]);
        });
    }
    // Style: a click (not a programmatic change) applies the style; the
    // graphic style also says when it takes effect.
    connect(m_plain, &QRadioButton::clicked, this, [this] {
        m_form.graphicStyle = false;
        applyColourStyle();
    });
    connect(m_graphic, &QRadioButton::clicked, this, [this] {
        m_form.graphicStyle = true;
        applyColourStyle();
        prompt().ask({SettingsTexts::StyleTitle, SettingsTexts::StyleRestart, PromptIcon::Information, PromptOk,
                      PromptOk});
    });
    connect(m_bgButton, &QPushButton::clicked, this, [this] { changeColour(&SettingsForm::background); });
    connect(m_textButton, &QPushButton::clicked, this, [this] { changeColour(&SettingsForm::text); });
    connect(m_paramButton, &QPushButton::clicked, this, [this] { changeColour(&SettingsForm::parameter); });
    connect(m_changePassword, &QPushButton::clicked, this, &CSettingsDlg::changePassword);
    connect(m_defaults, &QPushButton::clicked, this, &CSettingsDlg::restoreDefaults);
    connect(m_save, &QPushButton::clicked, this, &CSettingsDlg::storeControls);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void CSettingsDlg::loadControls()
{
    m_form = LoadControls(m_record, m_ports);
    showForm();
    applyPasswordRule();
    applyColourStyle();
    applyTransportRule();
}

void CSettingsDlg::showForm()
{
    const QSignalBlocker blockers[] = {
        QSignalBlocker(m_port),        QSignalBlocker(m_baud),        QSignalBlocker(m_dataBits),
        QSignalBlocker(m_parity),      QSignalBlocker(m_stopBits),    QSignalBlocker(m_ip),
        QSignalBlocker(m_tcpPort),     QSignalBlocker(m_address),     QSignalBlocker(m_timeout),
        QSignalBlocker(m_retries),     QSignalBlocker(m_topMost),     QSignalBlocker(m_autoStart),
        QSignalBlocker(m_autoConnect), QSignalBlocker(m_protect),     QSignalBlocker(m_analogTemp1),
        QSignalBlocker(m_analogTemp2), QSignalBlocker(m_analogCurrent), QSignalBlocker(m_analogVoltage),
        QSignalBlocker(m_scope[0]),    QSignalBlocker(m_scope[1]),    QSignalBlocker(m_scope[2]),
        QSignalBlocker(m_scope[3]),    QSignalBlocker(m_scope[4]),
    };
    SetIndex(m_port, m_form.port);
    SetIndex(m_baud, m_form.baud);
    SetIndex(m_dataBits, m_form.dataBits);
    SetIndex(m_parity, m_form.parity);
    SetIndex(m_stopBits, m_form.stopBits);
    m_ip->setText(IpAddressText(m_form.ipAddress));
    m_tcpPort->setText(m_form.tcpPort);
    m_address->setText(m_form.deviceAddress);
    m_timeout->setText(m_form.timeout);
    m_retries->setText(m_form.retries);
    m_topMost->setChecked(m_form.topMost);
    m_autoStart->setChecked(m_form.autoStart);
    m_autoConnect->setChecked(m_form.autoConnect);
    m_protect->setChecked(m_form.password);
    for (int i = 0; i < 5; ++i)
        m_scope[i]->setChecked(m_form.scope & kScopeBits[i]);
    m_plain->setChecked(!m_form.graphicStyle);
    m_graphic->setChecked(m_form.graphicStyle);
    m_analogTemp1->setChecked(m_form.analogTemp1);
    m_analogTemp2->setChecked(m_form.analogTemp2);
    m_analogCurrent->setChecked(m_form.analogCurrent);
    m_analogVoltage->setChecked(m_form.analogVoltage);
}

void CSettingsDlg::applyTransportRule()
{
    const bool tcp = m_form.tcpSelected();
    for (QComboBox* c : {m_baud, m_dataBits, m_parity, m_stopBits})
        c->setEnabled(!tcp);
    m_ip->setEnabled(tcp);
    m_tcpPort->setEnabled(tcp);
    m_port->setEnabled(true);
}

void CSettingsDlg::applyPasswordRule()
{
    const bool on = m_form.password;
    m_passwordBox->setEnabled(on);
    m_changePassword->setEnabled(on);
    for (QCheckBox* c : m_scope)
        c->setEnabled(on);
    const QString icon = on ? QStringLiteral(":/settings/icon145.svg") : QStringLiteral(":/settings/icon146.svg");
    m_lockPicture->setPixmap(QIcon(icon).pixmap(48, 48));
    m_lockPicture->setProperty("locked", on);
}

void CSettingsDlg::applyColourStyle()
{
    ApplyColourStyle(m_form, m_record);
    for (QPushButton* b : {m_bgButton, m_textButton, m_paramButton})
        b->setEnabled(m_form.graphicStyle);
    paintColours();
}

void CSettingsDlg::paintColours()
{
    QPalette p = QApplication::palette();
    if (m_form.graphicStyle) {
        const QColor bg = ToQColor(m_form.background);
        p.setColor(QPalette::Window, bg);
        p.setColor(QPalette::WindowText, ToQColor(m_form.text));
        p.setColor(QPalette::Base, bg);
        p.setColor(QPalette::Text, ToQColor(m_form.parameter));
    } else {
        const QColor text = p.color(QPalette::WindowText);
        p.setColor(QPalette::Window, p.color(QPalette::Button));
        p.setColor(QPalette::Base, p.color(QPalette::Button));
        p.setColor(QPalette::Text, text);
    }
    setPalette(p);
    setAutoFillBackground(true);
    update();
}

void CSettingsDlg::changeColour(ColorRef SettingsForm::*colour)
{
    if (const std::optional<std::uint32_t> chosen = fileDialogs().chooseColor(m_form.*colour)) {
        m_form.*colour = *chosen;
        paintColours();
    }
}

void CSettingsDlg::changePassword()
{
    NewPasswordDialogEntry dialogEntry(this);
    PasswordEntry& entry = m_newPassword ? *m_newPassword : dialogEntry;
    const std::optional<QString> password = entry.enterPassword();
    if (!password)
        return;
    if (!StoreNewPassword(m_record, *password))
        prompt().ask({PasswordTexts::CannotStoreTitle, PasswordTexts::CannotStore, PromptIcon::Warning, PromptOk,
                      PromptOk});
}

void CSettingsDlg::restoreDefaults()
{
    if (prompt().ask({SettingsTexts::DefaultsTitle, SettingsTexts::DefaultsQuestion, PromptIcon::Warning,
                      PromptYes | PromptNo, PromptYes}) != PromptYes)
        return;
    m_record = DefaultSettingsRecord();
    loadControls();
}

QLineEdit* CSettingsDlg::invalidField()
{
    std::uint32_t ip = 0;
    if (!ParseIpAddress(m_ip->text(), ip))
        return m_ip;
    switch (InvalidNumberField(m_form)) {
    case FormField::DeviceAddress: return m_address;
    case FormField::Timeout: return m_timeout;
    case FormField::Retries: return m_retries;
    case FormField::TcpPort: return m_tcpPort;
    case FormField::None: break;
    }
    return nullptr;
}

void CSettingsDlg::storeControls()
{
    // A number that cannot be read keeps the dialog open on that field.
    if (QLineEdit* bad = invalidField()) {
        prompt().ask({QStringLiteral("CPL_RELVO7"), SettingsTexts::InvalidNumber, PromptIcon::Warning, PromptOk,
                      PromptOk});
        bad->setFocus();
        bad->selectAll();
        return;
    }
    StoreControls(m_form, m_record);
    if (SaveSettings(m_record))
        ApplyAutostart(m_record.bAutoStart != 0);
    else
        prompt().error(SettingsTexts::SaveFailed);
    accept();
}

void CSettingsDlg::keyPressEvent(QKeyEvent* event)
{
    // Escape does nothing here; the dialog closes with its own buttons.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace relvo7
