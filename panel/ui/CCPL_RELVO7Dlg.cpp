#include "CCPL_RELVO7Dlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSystemTrayIcon>
#include <QToolTip>
#include <cstdio>
#include <ctime>

#include "CAboutDlg.h"
#include "CGraph.h"
#include "CIconButton.h"
#include "ClosingSequence.h"
#include "CommandLine.h"
#include "ConnectionSettingsFromRecord.h"
#include "CXLabel.h"
#include "CXLed.h"
#include "CXListCtrl.h"
#include "CXProgressCtrl.h"
#include "DataFolders.h"
#include "HeatingTooltip.h"
#include "IconResources.h"
#include "LaterVersion.h"
#include "PanelIds.h"
#include "PanelReset.h"
#include "PanelScroll.h"
#include "PanelTexts.h"
#include "PanelUiTexts.h"
#include "PowerChoices.h"
#include "Recorder.h"
#include "RecorderStart.h"
#include "SharedState.h"
#include "TrayStatus.h"
#include "relvo7link.h"
#include "settings/CSettingsDlg.h"
#include "settings/PasswordGuard.h"
#include "settings/SettingsForm.h"
#include "settings/SettingsStore.h"

namespace relvo7::panel::ui {

namespace {
QString u(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Labels that stand beside a bar or carry the main readings: 11-point.
constexpr int kLargeValueLabels[] = {1061, 1062, 1063, 1064, 1074, 1075, 1076, 1077, 1083, 1084, 1085, 1087, 1088};
// Status labels: text colour, bold.
constexpr int kStatusLabels[] = {1060, 1079, 1081, 1080};
constexpr int kPowerBoxes[] = {1154, 1155, 1156};

int trayIconId(TrayIcon icon) {
    switch (icon) {
    case TrayIcon::Recording: return icons::TrayRecording;
    case TrayIcon::PausedOrUnavailable: return icons::TrayPaused;
    case TrayIcon::Idle: break;
    }
    return icons::TrayIdle;
}
} // namespace

CCPL_RELVO7Dlg::CCPL_RELVO7Dlg(PanelWindowOptions options, QWidget* parent)
    : QDialog(parent), m_options(options) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf8(text::kTitleBase));
    m_engine = std::make_unique<PanelEngine>(
        m_link, m_model, prompt(), [] { return connectionSettingsFrom(Settings()); }, options.timings);
    m_engine->setPasswordAsker([]() -> std::optional<std::u16string> {
        const std::optional<QString> entered = passwordEntry().enterPassword();
        if (!entered) return std::nullopt;
        return entered->toStdU16String();
    });
    // A polling thread that cannot start ends the program through the close handling.
    m_engine->setFatalHandler([this] { requestClose(); });

    buildControls();

    auto clicked = [this](int ident, auto slot) {
        connect(qobject_cast<QAbstractButton*>(control(ident)), &QAbstractButton::clicked, this, slot);
    };
    clicked(id::Connect, [this] {
        m_engine->ToggleConnection();
        pumpNow();
    });
    clicked(id::Start, [this] { m_engine->startMotor(); pumpNow(); });
    clicked(id::Stop, [this] { m_engine->stopMotor(); pumpNow(); });
    clicked(id::Reset, [this] { m_engine->resetFault(); pumpNow(); });
    clicked(id::Settings, &CCPL_RELVO7Dlg::onSettings);
    clicked(1001, [] {
        if (PasswordGuard(PasswordScopeParameters)) showLaterVersionNotice(prompt(), LaterFeature::Parameters);
    });
    clicked(1117, [] { showLaterVersionNotice(prompt(), LaterFeature::Database); });
    clicked(id::Journal, [] { showLaterVersionNotice(prompt(), LaterFeature::FaultJournal); });
    clicked(1050, &CCPL_RELVO7Dlg::onAbout);
    clicked(1049, [this] { close(); });
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, &CCPL_RELVO7Dlg::onAbout);
    connect(m_address, &QLineEdit::textEdited, this, &CCPL_RELVO7Dlg::onAddressEdited);
    m_address->installEventFilter(this);
    m_scroll->viewport()->installEventFilter(this);

    connect(&m_panelTimer, &QTimer::timeout, this, &CCPL_RELVO7Dlg::onTimer);
    connect(&m_pumpTimer, &QTimer::timeout, this, &CCPL_RELVO7Dlg::pumpNow);

    OnInitDialog();
    startToolHooks();
}

CCPL_RELVO7Dlg::~CCPL_RELVO7Dlg() {
    m_panelTimer.stop();
    m_pumpTimer.stop();
    // Threads first: the recorder reads the shared block, the polling thread
    // writes the model; both are joined before anything they use goes.
    m_recorder.reset();
    m_engine.reset();
}

void CCPL_RELVO7Dlg::OnInitDialog() {
    // 2. and 3. Program icon, z-order.
    setWindowIcon(QIcon(icons::path(icons::Program)));
    applyTopMost();

    // 4. Clock and activity pictures are in place; the link starts cleared.
    PanelConnected.store(0);

    // 5.
    ApplyInterfaceSettings();

    // 1. The full size of the panel is its laid-out size, known once the
    // fonts and colours are in place: measured when the window first shows.
    fitToScreen();

    // 6. Heating tooltip: follows the mouse over the graph.
    m_graph->setMouseTracking(true);
    m_graph->installEventFilter(this);

    // 7. Date and time.
    m_engine->timerTick(std::time(nullptr));
    pumpNow();

    // 8. Automatic connection.
    if (Settings().bAutoConnect == 1) {
        m_engine->ToggleConnection();
        pumpNow();
    }

    // 9. Recording thread.
    if (m_options.withRecorder) startRecorder();

    // 10. Notification-area icon.
    if (m_options.withTray && QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray = new QSystemTrayIcon(QIcon(icons::path(icons::TrayIdle)), this);
        m_tray->setToolTip(QString::fromUtf8(initialTrayStatus().tooltip));
        m_tray->show();
    }

    // 11. Power choices.
    const PowerChoices stored = loadPowerChoices();
    for (int i = 0; i < 3; ++i) {
        QComboBox* box = m_power[i];
        for (const char* item : kPowerChoices) box->addItem(QString::fromUtf8(item));
        box->setCurrentIndex(stored[static_cast<size_t>(i)]);
        onPowerChoice(i, box->currentIndex());
        connect(box, &QComboBox::currentIndexChanged, this, [this, i](int index) { onPowerChoice(i, index); });
    }

    // 12. PanelTimer, and the pump that brings the engine's model onto the screen.
    m_panelTimer.start(1000);
    m_pumpTimer.start(40);
}

void CCPL_RELVO7Dlg::fitToScreen() {
    m_panel->ensurePolished();
    m_panel->layout()->activate();
    m_fullSize = m_panel->sizeHint().expandedTo(m_panel->minimumSizeHint());
    m_panel->setMinimumSize(m_fullSize);
    // The window takes the full size as far as the screen allows and scrolls the rest.
    QSize size = m_fullSize;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() - QSize(16, 48));
    resize(size);
}

void CCPL_RELVO7Dlg::showEvent(QShowEvent* event) {
    if (!m_shownOnce) {
        m_shownOnce = true;
        fitToScreen();
        // Once more after the first layout pass of the shown window.
        QTimer::singleShot(0, this, &CCPL_RELVO7Dlg::fitToScreen);
    }
    QDialog::showEvent(event);
}

void CCPL_RELVO7Dlg::ApplyInterfaceSettings() {
    const SettingsRecord& s = Settings();
    // 1. Alarm list.
    m_alarms->DeleteAllItems();
    if (m_alarms->columnCount() == 0) {
        m_alarms->InsertColumn(0, QString::fromUtf8(kColumnName), Qt::AlignLeft | Qt::AlignVCenter, 210);
        m_alarms->InsertColumn(1, QString::fromUtf8(kColumnCode), Qt::AlignCenter, 40);
        m_alarms->InsertColumn(2, QString::fromUtf8(kColumnValue), Qt::AlignCenter, 65);
        m_alarms->InsertColumn(3, QString::fromUtf8(kColumnTime), Qt::AlignCenter, 65);
    }
    AlarmMask.store(0);

    // 2. Colours.
    const QPalette system = QApplication::palette();
    m_colours = panelColoursFor(s, system.color(QPalette::Button), system.color(QPalette::WindowText));
    m_alarms->SetColors(m_colours.listBackground, m_colours.listText);
    QPalette pal = m_panel->palette();
    pal.setColor(QPalette::Window, m_colours.background);
    pal.setColor(QPalette::WindowText, m_colours.text);
    m_panel->setPalette(pal);
    m_panel->setAutoFillBackground(true);
    m_scroll->viewport()->setPalette(pal);
    // Group frames with their titles on the frame line; the edit field in the
    // values colour on the background; the alarm list in the profile's colours.
    m_panel->setStyleSheet(
        QStringLiteral(
            "QGroupBox { border: 1px solid rgba(0, 0, 0, 80); border-radius: 3px; margin-top: 8px; padding-top: 4px; }"
            "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 8px; padding: 0 3px; }"
            "QLineEdit { background-color: %1; color: %2; border: 1px solid rgba(0, 0, 0, 90); border-radius: 2px; }"
            "CXListCtrl { background-color: %3; color: %4; gridline-color: rgba(0, 0, 0, 60); }")
            .arg(m_colours.background.name(), m_colours.values.name(), m_colours.listBackground.name(),
                 m_colours.listText.name()));

    // 3. LEDs blink while on (set with the controls); picture buttons on the profile's background.
    for (int b : {id::Reset, id::Start, id::Stop})
        control<CIconButton>(b)->SetBkColor(m_colours.listBackground);

    // 4. Value and status labels.
    for (QWidget* w : std::as_const(m_controls)) {
        auto* label = qobject_cast<CXLabel*>(w);
        if (!label) continue;
        const int ident = w->objectName().toInt();
        const bool status = std::find(std::begin(kStatusLabels), std::end(kStatusLabels), ident) != std::end(kStatusLabels);
        label->SetColors(status ? m_colours.text : m_colours.values, m_colours.background);
        label->SetBold(true);
        if (std::find(std::begin(kLargeValueLabels), std::end(kLargeValueLabels), ident) != std::end(kLargeValueLabels))
            label->SetFontSize(11);
    }

    // 5. Bars.
    struct BarSetup { std::initializer_list<int> bars; int upper; int markUpper; int markLower; };
    const BarSetup bars[] = {
        {{id::BarPhaseCurrent1, id::BarPhaseCurrent2, id::BarPhaseCurrent3}, 6300, 0, 0},
        {{id::BarNegativeCurrent}, 2000, 0, 0},
        {{id::BarZeroCurrent}, 50, 0, 0},
        {{id::BarLineVoltage1, id::BarLineVoltage2, id::BarLineVoltage3}, 500, 380, 100},
        {{id::BarPhaseVoltage1, id::BarPhaseVoltage2, id::BarPhaseVoltage3}, 350, 220, 0},
        {{id::BarNegativeVoltage}, 300, 0, 0},
        {{id::BarRestart}, 900, 0, 0},
    };
    for (const BarSetup& b : bars)
        for (int ident : b.bars) {
            auto* bar = control<CXProgressCtrl>(ident);
            bar->SetRange(0, b.upper);
            bar->SetMarkers(b.markUpper, b.markLower);
            bar->SetPos(0);
        }

    // 6. and 7. Line speed and device address.
    refreshFromSettings();
}

void CCPL_RELVO7Dlg::refreshFromSettings() {
    control<CXLabel>(1080)->SetText(SpeedLabelText(Settings().nBaudIndex));
    m_address->setText(QString::number(SharedLoad(Settings().nDeviceAddress)));
}

void CCPL_RELVO7Dlg::applyTopMost() {
    const bool top = Settings().bTopMost == 1;
    if (bool(windowFlags() & Qt::WindowStaysOnTopHint) == top) return;
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, top);
    if (visible) show(); // changing the flags hides the window
}

void CCPL_RELVO7Dlg::ResetPanel() {
    panel::ResetPanel(m_model);
    pumpNow();
}

void CCPL_RELVO7Dlg::UpdateTitle(bool connected) {
    panel::UpdateTitle(m_model, connected);
    pumpNow();
}

void CCPL_RELVO7Dlg::pumpNow() {
    if (!m_engine) return;
    m_engine->processRequests();
    if (m_model.applyTo(*this) > 0) ++m_appliedBatches;
}

void CCPL_RELVO7Dlg::onTimer() {
    m_engine->timerTick(std::time(nullptr));
    updateTray(true);
}

void CCPL_RELVO7Dlg::onSettings() {
    if (m_options.demo) {
        prompt().inform(QString::fromUtf8(kButtonSettings),
                        QStringLiteral("W trybie demonstracyjnym ustawień nie można zmieniać."));
        return;
    }
    if (!PasswordGuard(PasswordScopeSettings)) return;
    {
        CSettingsDlg dlg(this);
        dlg.exec();
    }
    applyTopMost();
    refreshFromSettings();
}

void CCPL_RELVO7Dlg::onAbout() {
    CAboutDlg dlg(this);
    dlg.exec();
}

void CCPL_RELVO7Dlg::onAddressEdited() {
    bool ok = false;
    const int address = m_address->text().toInt(&ok);
    if (!ok) return; // an empty field is reported when it is left
    SharedStore(Settings().nDeviceAddress, static_cast<int32_t>(address));
    m_engine->setDeviceAddress(address);
}

void CCPL_RELVO7Dlg::onAddressFinished() {
    bool ok = false;
    m_address->text().toInt(&ok);
    if (ok) return;
    prompt().ask({ApplicationTitle(), QStringLiteral("Wprowadź liczbę całkowitą."), PromptIcon::Warning, PromptOk,
                  PromptOk});
    m_address->setText(QString::number(SharedLoad(Settings().nDeviceAddress)));
}

void CCPL_RELVO7Dlg::onPowerChoice(int box, int index) { m_engine->setPowerChoice(box, index); }

void CCPL_RELVO7Dlg::startRecorder() {
    RecorderConfig config;
    config.folder = DatabaseFolderPath().toStdString();
    config.dataVersion = dll_nVerDll;
    config.loadSettings = [] {
        const QByteArray b = LoadProfileBinary(QStringLiteral("pdb"));
        return std::vector<uint8_t>(b.begin(), b.end());
    };
    config.onFatal = fatalMessages(prompt(), [this] {
        QMetaObject::invokeMethod(this, [this] { control(1117)->setEnabled(false); }, Qt::QueuedConnection);
    });
    m_recorder = std::make_unique<Recorder>(std::move(config));
    // The operator may give up; the panel goes on without recording.
    relvo7::startRecorder(*m_recorder, prompt());
}

void CCPL_RELVO7Dlg::updateTray(bool tick) {
    if (!m_tray || !m_recorder || !tick) return;
    const TrayStatus s = nextTrayStatus(RecordingThreadRunning.load(), m_recorder->RecordingFlags.load(),
                                        m_recorder->WriteFailing.load(), m_trayBlink);
    m_tray->setIcon(QIcon(icons::path(trayIconId(s.icon))));
    if (s.tooltip) m_tray->setToolTip(QString::fromUtf8(s.tooltip));
}

void CCPL_RELVO7Dlg::releaseResources() {
    m_panelTimer.stop();
    m_pumpTimer.stop();
    if (m_tray) {
        m_tray->hide();
        delete m_tray;
        m_tray = nullptr;
    }
}

bool CCPL_RELVO7Dlg::requestClose() {
    if (m_closed) return true;
    ClosingActions actions;
    actions.stopRecording = [this] {
        if (m_recorder) m_recorder->stop();
    };
    actions.disconnect = [this] {
        m_engine->ToggleConnection();
        pumpNow();
    };
    actions.release = [this] { releaseResources(); };
    if (m_options.savePowerChoices && !m_options.demo)
        actions.savePowerChoices = [this] {
            savePowerChoices({m_power[0]->currentIndex(), m_power[1]->currentIndex(), m_power[2]->currentIndex()});
        };
    if (RunClosingSequence(prompt(), actions) == ClosingOutcome::Refused) return false;
    m_closed = true;
    QDialog::done(0);
    return true;
}

void CCPL_RELVO7Dlg::closeEvent(QCloseEvent* event) {
    if (requestClose()) event->accept();
    else event->ignore();
}

void CCPL_RELVO7Dlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    QMetaObject::invokeMethod(this, &CCPL_RELVO7Dlg::updateScrollSteps, Qt::QueuedConnection);
}

void CCPL_RELVO7Dlg::updateScrollSteps() {
    // Line and page steps are a tenth of the hidden part.
    const QSize client = m_scroll->viewport()->size();
    const ScrollAxis h = scrollAxis(m_fullSize.width(), client.width());
    const ScrollAxis v = scrollAxis(m_fullSize.height(), client.height());
    if (h.enabled) {
        m_scroll->horizontalScrollBar()->setSingleStep(h.step);
        m_scroll->horizontalScrollBar()->setPageStep(h.step);
    }
    if (v.enabled) {
        m_scroll->verticalScrollBar()->setSingleStep(v.step);
        m_scroll->verticalScrollBar()->setPageStep(v.step);
    }
}

bool CCPL_RELVO7Dlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_graph && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        const QPoint pos = move->position().toPoint();
        if (pos.y() != m_lastTooltipY) {
            m_lastTooltipY = pos.y();
            const int top = m_graph->mapTo(m_panel, QPoint(0, 0)).y();
            const int mouseY = m_graph->mapTo(m_panel, pos).y();
            const int percent = heatingTooltipPercent(m_graph->height(), top, mouseY);
            QToolTip::showText(move->globalPosition().toPoint(), QString::fromUtf8(heatingTooltipText(percent)),
                               m_graph);
        }
    } else if (watched == m_address && event->type() == QEvent::FocusOut) {
        onAddressFinished();
    } else if (watched == m_scroll->viewport() && event->type() == QEvent::Resize) {
        QMetaObject::invokeMethod(this, &CCPL_RELVO7Dlg::updateScrollSteps, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

// ---- PanelView: the engine's model onto the controls ----

void CCPL_RELVO7Dlg::setText(int ident, const std::string& utf8) {
    if (ident == id::WindowTitle) {
        setWindowTitle(u(utf8));
        return;
    }
    QWidget* w = control(ident);
    if (auto* label = qobject_cast<CXLabel*>(w)) label->SetText(u(utf8));
    else if (auto* button = qobject_cast<QAbstractButton*>(w)) button->setText(u(utf8));
}

void CCPL_RELVO7Dlg::setPos(int ident, int pos) {
    if (auto* bar = control<CXProgressCtrl>(ident)) bar->SetPos(pos);
}

void CCPL_RELVO7Dlg::setRange(int ident, int lower, int upper) {
    if (auto* bar = control<CXProgressCtrl>(ident)) bar->SetRange(lower, upper);
}

void CCPL_RELVO7Dlg::setMarkers(int ident, int upper, int lower) {
    if (auto* bar = control<CXProgressCtrl>(ident)) bar->SetMarkers(upper, lower);
}

void CCPL_RELVO7Dlg::setState(int ident, int state) {
    QWidget* w = control(ident);
    if (ident == id::Activity) {
        // The state is the picture to show.
        if (auto* picture = qobject_cast<CXLed*>(w)) {
            picture->SetIcons(state, 40, 40);
            picture->SetState(true);
            picture->update();
        }
    } else if (auto* led = qobject_cast<CXLed*>(w)) {
        led->SetState(state != 0);
    } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
        radio->setChecked(state != 0);
    }
}

void CCPL_RELVO7Dlg::setVisible(int ident, bool visible) {
    if (QWidget* w = control(ident)) w->setVisible(visible);
}

void CCPL_RELVO7Dlg::setEnabled(int ident, bool enabled) {
    if (QWidget* w = control(ident)) w->setEnabled(enabled);
}

void CCPL_RELVO7Dlg::setGraphLevel(int ident, uint32_t thermalValue) {
    if (auto* graph = control<CGraph>(ident)) graph->SetLevelValue(thermalValue);
}

void CCPL_RELVO7Dlg::setGraphRunning(int ident, bool running) {
    if (auto* graph = control<CGraph>(ident)) graph->SetRunning(running);
}

void CCPL_RELVO7Dlg::resetGraphLevel(int ident) {
    if (auto* graph = control<CGraph>(ident)) graph->ResetLevel();
}

void CCPL_RELVO7Dlg::insertAlarmRow(int, const AlarmRow& row) {
    const int r = m_alarms->InsertItem(0, u(row.name), row.itemData);
    m_alarms->SetItemText(r, 1, u(row.code));
    m_alarms->SetItemText(r, 2, u(row.value));
    m_alarms->SetItemText(r, 3, u(row.time));
}

void CCPL_RELVO7Dlg::deleteAlarmRows(int, int itemData) {
    for (int r = m_alarms->GetItemCount() - 1; r >= 0; --r)
        if (m_alarms->GetItemData(r) == itemData) m_alarms->DeleteItem(r);
}

void CCPL_RELVO7Dlg::deleteAllAlarmRows(int) { m_alarms->DeleteAllItems(); }

void CCPL_RELVO7Dlg::setFocus(int ident) {
    if (QWidget* w = control(ident)) w->setFocus();
}

} // namespace relvo7::panel::ui
