// The panel's controls as the dialog template lays them out: groups, captions,
// value labels with the template's texts, bars, LEDs, the alarm list, the
// heating graph and the button row. Each control is named by its identifier.
#include "CCPL_RELVO7Dlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "CGraph.h"
#include "CIconButton.h"
#include "CXLabel.h"
#include "CXLed.h"
#include "CXListCtrl.h"
#include "CXProgressCtrl.h"
#include "IconResources.h"
#include "PanelIds.h"
#include "PanelTexts.h"
#include "PanelUiTexts.h"

namespace relvo7::panel::ui {

namespace {
QString u(const char* utf8) { return QString::fromUtf8(utf8); }

constexpr int kValueWidth = 86;  // a value label beside a bar
constexpr int kSmallWidth = 70;  // other value labels
constexpr int kBarWidth = 110;

QGroupBox* group(const char* caption) {
    auto* g = new QGroupBox(u(caption));
    g->setObjectName(QStringLiteral("group"));
    return g;
}

QLabel* caption(const char* text) { return new QLabel(u(text)); }
} // namespace

void CCPL_RELVO7Dlg::buildControls() {
    using namespace id;
    m_panel = new QWidget;
    m_panel->setObjectName(QStringLiteral("panel"));

    auto reg = [this](int ident, QWidget* w) {
        w->setObjectName(QString::number(ident));
        m_controls.insert(ident, w);
        return w;
    };
    auto value = [&](int ident, const char* text, int width = kSmallWidth) {
        auto* l = new CXLabel(u(text));
        l->setMinimumWidth(width);
        l->setMinimumHeight(20);
        reg(ident, l);
        return l;
    };
    auto bar = [&](int ident) {
        auto* b = new CXProgressCtrl;
        b->setMinimumWidth(kBarWidth);
        b->setFixedHeight(16);
        reg(ident, b);
        return b;
    };
    auto led = [&](int ident, int on, int off, int w, int h) {
        auto* l = new CXLed;
        l->SetIcons(on, w, h, off, w, h);
        l->setFixedSize(w, h);
        reg(ident, l);
        return l;
    };
    auto iconButton = [&](int ident, int icon) {
        auto* b = new CIconButton;
        b->SetIcon(icon, 84, 20);
        b->setFixedSize(84, 20);
        b->setCursor(Qt::PointingHandCursor);
        reg(ident, b);
        return b;
    };
    auto button = [&](int ident, const char* text) {
        auto* b = new QPushButton(u(text));
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setMinimumWidth(96);
        b->setMinimumHeight(26);
        reg(ident, b);
        return b;
    };
    // A caption, a value label and its bar in one row of a grid.
    auto barRow = [&](QGridLayout* g, int row, const char* text, int label, const char* idle, int barId) {
        if (text) g->addWidget(caption(text), row, 0);
        g->addWidget(value(label, idle, kValueWidth), row, 1);
        g->addWidget(bar(barId), row, 2);
    };

    // Left column: relay state, relay mode, faults, motor, link.
    auto* relayState = group(kGroupRelayState);
    {
        auto* g = new QGridLayout(relayState);
        g->addWidget(led(LedTmlpp, icons::LedOn, icons::LedOff, 16, 16), 0, 0);
        g->addWidget(caption(kCaptionTmlpp), 0, 1);
        g->addWidget(led(LedFunctionRelay, icons::LedOn, icons::LedOff, 16, 16), 1, 0);
        g->addWidget(caption(kCaptionFunctionRelay), 1, 1);
        g->addWidget(led(LedMotorRelay, icons::LedOn, icons::LedOff, 16, 16), 2, 0);
        g->addWidget(caption(kCaptionMotorRelay), 2, 1);
        g->setColumnStretch(1, 1);
    }
    auto* relayMode = group(kGroupRelayMode);
    {
        auto* v = new QVBoxLayout(relayMode);
        for (auto [ident, text] : {std::pair{ModeSignalling, kModeSignalling}, std::pair{ModeTimer, kModeTimer},
                                   std::pair{ModeStarDelta, kModeStarDelta}}) {
            auto* r = new QRadioButton(u(text));
            // Display only: the relay decides, a click changes nothing.
            r->setAutoExclusive(false);
            r->setAttribute(Qt::WA_TransparentForMouseEvents);
            r->setFocusPolicy(Qt::NoFocus);
            v->addWidget(reg(ident, r));
        }
    }
    auto* fault = group(kGroupFault);
    {
        auto* v = new QVBoxLayout(fault);
        auto* leds = new QHBoxLayout;
        auto* f = led(LedFault, icons::FaultOn, icons::FaultOff, 128, 20);
        f->SetBlink(true);
        auto* in = led(LedButtonInputs, icons::InputsOn, icons::InputsOff, 48, 20);
        in->SetBlink(true);
        leds->addWidget(f);
        leds->addWidget(in);
        leds->addWidget(led(LedRestart, icons::SpzOn, icons::SpzOff, 48, 20));
        leds->addWidget(led(LedRemote, icons::RemoteOn, icons::RemoteOff, 34, 20));
        leds->addStretch();
        auto* reset = iconButton(Reset, icons::ResetFault);
        reset->hide();
        leds->addWidget(reset);
        v->addLayout(leds);
        m_alarms = new CXListCtrl;
        m_alarms->setMinimumSize(384, 150);
        v->addWidget(reg(AlarmList, m_alarms), 1);
    }
    auto* motor = group(kGroupMotor);
    {
        auto* h = new QHBoxLayout(motor);
        auto* start = iconButton(Start, icons::Start);
        auto* stop = iconButton(Stop, icons::Stop);
        start->hide();
        stop->hide();
        auto* picture = new CXLed;
        picture->SetIcons(icons::Motor, 48, 40);
        picture->SetState(true);
        picture->setFixedSize(48, 40);
        h->addWidget(start);
        h->addWidget(stop);
        h->addWidget(reg(MotorPicture, picture));
        h->addStretch();
        h->setAlignment(Qt::AlignTop);
    }
    auto* link = group(kGroupLink);
    {
        auto* g = new QGridLayout(link);
        auto* activity = new CXLed;
        activity->SetIcons(picture::ActivityIdle, 40, 40);
        activity->SetState(true);
        activity->setFixedSize(40, 40);
        g->addWidget(caption(kCaptionActivity), 0, 0);
        g->addWidget(reg(Activity, activity), 0, 1, Qt::AlignLeft);
        g->addWidget(caption(kCaptionStatus), 1, 0);
        g->addWidget(value(StatusLabel, text::kStatusDisconnected, 120), 1, 1);
        g->addWidget(caption(kCaptionSpeed), 2, 0);
        g->addWidget(value(1080, "", 120), 2, 1);
        g->addWidget(caption(kCaptionConnectionTime), 3, 0);
        g->addWidget(value(ConnectionClock, kIdleConnectionClock, 120), 3, 1);
        g->addWidget(caption(kCaptionAddress), 4, 0);
        m_address = new QLineEdit;
        m_address->setAlignment(Qt::AlignCenter);
        m_address->setValidator(new QIntValidator(0, 2147483647, m_address));
        m_address->setMaximumWidth(120);
        g->addWidget(reg(1048, m_address), 4, 1);
        g->setColumnStretch(2, 1);
    }
    auto* left = new QVBoxLayout;
    auto* topLeft = new QHBoxLayout;
    topLeft->addWidget(relayState, 1);
    topLeft->addWidget(relayMode, 1);
    left->addLayout(topLeft);
    left->addWidget(fault, 1);
    auto* bottomLeft = new QHBoxLayout;
    bottomLeft->addWidget(motor);
    bottomLeft->addWidget(link, 1);
    left->addLayout(bottomLeft);

    // Middle column: currents and voltages.
    auto* current = group(kGroupCurrent);
    {
        auto* v = new QVBoxLayout(current);
        auto* phases = group(kGroupPhaseCurrents);
        auto* g = new QGridLayout(phases);
        barRow(g, 0, kCaptionPhase1, PhaseCurrent1, text::kIdleCurrent, BarPhaseCurrent1);
        barRow(g, 1, kCaptionPhase2, PhaseCurrent2, text::kIdleCurrent, BarPhaseCurrent2);
        barRow(g, 2, kCaptionPhase3, PhaseCurrent3, text::kIdleCurrent, BarPhaseCurrent3);
        g->setColumnStretch(2, 1);
        v->addWidget(phases);
        auto* sequences = new QHBoxLayout;
        auto* negative = group(kGroupNegativeCurrent);
        auto* gn = new QGridLayout(negative);
        barRow(gn, 0, nullptr, NegativeCurrent, text::kIdleCurrent, BarNegativeCurrent);
        auto* zero = group(kGroupZeroCurrent);
        auto* gz = new QGridLayout(zero);
        barRow(gz, 0, nullptr, ZeroCurrent, text::kIdleCurrent, BarZeroCurrent);
        for (QWidget* b : {control(BarNegativeCurrent), control(BarZeroCurrent)}) b->setMinimumWidth(90);
        sequences->addWidget(negative);
        sequences->addWidget(zero);
        v->addLayout(sequences);
        auto* averages = new QGridLayout;
        averages->addWidget(caption(kCaptionAverageCurrent), 0, 0, 1, 3);
        averages->addWidget(caption(kCaptionMax), 0, 4, 1, 3, Qt::AlignRight);
        int col = 0;
        for (int l : {AvgCurrent1, AvgCurrent2, AvgCurrent3}) averages->addWidget(value(l, text::kIdleCurrent), 1, col++);
        averages->setColumnMinimumWidth(col++, 12);
        for (int l : {MaxAvgCurrent1, MaxAvgCurrent2, MaxAvgCurrent3})
            averages->addWidget(value(l, text::kIdleCurrent), 1, col++);
        averages->addWidget(caption(kCaptionPeriod), 2, 0, 1, 2, Qt::AlignRight);
        averages->addWidget(value(AvgPeriod, text::kIdleSeconds), 2, 2);
        v->addLayout(averages);
        auto* starting = new QHBoxLayout;
        starting->addWidget(caption(kCaptionStartingCurrent));
        starting->addWidget(value(StartingCurrent, text::kIdleCurrent, kValueWidth));
        starting->addStretch();
        starting->addWidget(caption(kCaptionOverloadCurrent));
        starting->addWidget(value(OverloadCurrent, text::kIdleCurrent, kValueWidth));
        v->addLayout(starting);
    }
    auto* voltage = group(kGroupVoltage);
    {
        auto* v = new QVBoxLayout(voltage);
        auto* phases = group(kGroupPhaseVoltages);
        auto* g = new QGridLayout(phases);
        barRow(g, 0, kCaptionPhase1, PhaseVoltage1, text::kIdleVolts, BarPhaseVoltage1);
        barRow(g, 1, kCaptionPhase2, PhaseVoltage2, text::kIdleVolts, BarPhaseVoltage2);
        barRow(g, 2, kCaptionPhase3, PhaseVoltage3, text::kIdleVolts, BarPhaseVoltage3);
        g->setColumnStretch(2, 1);
        v->addWidget(phases);
        auto* lines = group(kGroupLineVoltages);
        auto* gl = new QGridLayout(lines);
        barRow(gl, 0, kCaptionAB, LineVoltage1, text::kIdleVolts, BarLineVoltage1);
        barRow(gl, 1, kCaptionBC, LineVoltage2, text::kIdleVolts, BarLineVoltage2);
        barRow(gl, 2, kCaptionCA, LineVoltage3, text::kIdleVolts, BarLineVoltage3);
        gl->setColumnStretch(2, 1);
        v->addWidget(lines);
        auto* negative = group(kGroupNegativeVoltage);
        auto* gn = new QGridLayout(negative);
        barRow(gn, 0, nullptr, NegativeVoltage, text::kIdleVolts, BarNegativeVoltage);
        gn->setColumnStretch(2, 1);
        v->addWidget(negative);
        auto* sequences = new QHBoxLayout;
        sequences->addWidget(caption(kCaptionPositiveVoltage));
        sequences->addWidget(value(PositiveVoltage, text::kIdleVolts, kSmallWidth));
        sequences->addStretch();
        sequences->addWidget(caption(kCaptionZeroVoltage));
        sequences->addWidget(value(ZeroVoltage, text::kIdleVolts, kSmallWidth));
        v->addLayout(sequences);
    }
    auto* middle = new QVBoxLayout;
    middle->addWidget(current);
    middle->addWidget(voltage);
    middle->addStretch();

    // Right column: heating, times, powers, extra readings.
    auto* heating = new QGridLayout;
    heating->addWidget(caption(kCaptionHeating), 0, 0);
    heating->addWidget(caption(kCaptionHeatingScale), 0, 1, Qt::AlignRight);
    m_graph = new CGraph;
    m_graph->setMinimumSize(260, 96);
    heating->addWidget(reg(HeatingGraph, m_graph), 1, 0, 1, 2);
    heating->addWidget(value(HeatingPercent, kTemplatePercent, 60), 1, 2, Qt::AlignBottom);
    heating->setColumnStretch(0, 1);

    auto* time = group(kGroupTime);
    {
        auto* v = new QVBoxLayout(time);
        auto* restart = group(kGroupRestartTime);
        auto* gr = new QGridLayout(restart);
        barRow(gr, 0, nullptr, RestartTime, text::kTextOff, BarRestart);
        gr->setColumnStretch(2, 1);
        v->addWidget(restart);
        auto* g = new QGridLayout;
        g->addWidget(caption(kCaptionStartingTime), 0, 0);
        g->addWidget(value(StartingTime, text::kIdleSeconds), 0, 1);
        auto* trip = caption(kCaptionOverloadTripTime);
        auto* wait = caption(kCaptionOverloadWaitTime);
        trip->setWordWrap(true);
        wait->setWordWrap(true);
        g->addWidget(trip, 1, 0);
        g->addWidget(value(OverloadTripTime, text::kTextNo), 1, 1);
        g->addWidget(wait, 2, 0);
        g->addWidget(value(OverloadWaitTime, text::kTextNo), 2, 1);
        g->setColumnStretch(0, 1);
        v->addLayout(g);
    }
    auto* powers = group(kGroupPowers);
    {
        auto* g = new QGridLayout(powers);
        const int boxes[3] = {1154, 1155, 1156};
        const int labels[3] = {PowerValue1, PowerValue2, PowerValue3};
        for (int i = 0; i < 3; ++i) {
            m_power[i] = new QComboBox;
            m_power[i]->setMinimumWidth(170);
            g->addWidget(reg(boxes[i], m_power[i]), i, 0);
            g->addWidget(value(labels[i], text::kIdleZero, 104), i, 1);
        }
        g->setColumnStretch(0, 1);
    }
    auto* extra = group(kGroupExtra);
    {
        auto* g = new QGridLayout(extra);
        const std::pair<const char*, std::pair<int, const char*>> rows[] = {
            {kCaptionTemperature1, {Temperature1, kTemplateDegrees}},
            {kCaptionTemperature2, {Temperature2, kTemplateDegrees}},
            {kCaptionAnalogCurrent, {AnalogCurrent, text::kIdleMilliamps}},
            {kCaptionAnalogVoltage, {AnalogVoltage, text::kIdleAnalogVolts}},
            {kCaptionFrequency, {Frequency, text::kIdleHertz}},
            {kCaptionInsulation, {Insulation, text::kIdleMegaohms}},
        };
        int row = 0;
        for (const auto& [text, label] : rows) {
            g->addWidget(caption(text), row, 0);
            g->addWidget(value(label.first, label.second, 96), row++, 1);
        }
        g->setColumnStretch(0, 1);
    }
    auto* right = new QVBoxLayout;
    right->addLayout(heating);
    right->addWidget(time);
    right->addWidget(powers);
    right->addWidget(extra);
    right->addStretch();

    // Bottom row: the clock and the buttons.
    auto* bottom = new QHBoxLayout;
    auto* clock = new CXLed;
    clock->SetIcons(icons::Clock, 24, 24);
    clock->SetState(true);
    clock->setFixedSize(24, 24);
    bottom->addWidget(reg(1123, clock));
    bottom->addWidget(value(DateTimeLabel, "", 190));
    bottom->addSpacing(12);
    bottom->addWidget(button(Connect, text::kCaptionConnect));
    bottom->addWidget(button(1117, kButtonDatabase));
    bottom->addWidget(button(Settings, kButtonSettings));
    bottom->addWidget(button(1001, kButtonParameters));
    auto* journal = button(Journal, kButtonJournal);
    journal->setEnabled(false);
    bottom->addWidget(journal);
    bottom->addWidget(button(1050, kButtonAbout));
    bottom->addStretch();
    bottom->addWidget(button(1049, kButtonExit));

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(middle);
    columns->addLayout(right);
    auto* all = new QVBoxLayout(m_panel);
    all->setContentsMargins(10, 8, 10, 8);
    all->addLayout(columns, 1);
    all->addLayout(bottom);

    // One rhythm for every group: tight rows (frames and colours: ApplyInterfaceSettings).
    for (QLayout* l : m_panel->findChildren<QLayout*>()) {
        l->setSpacing(4);
        if (l->parentWidget() && qobject_cast<QGroupBox*>(l->parentWidget()) && l->parentWidget()->layout() == l)
            l->setContentsMargins(8, 6, 8, 6);
    }
    all->setSpacing(6);
    columns->setSpacing(10);
    for (QGroupBox* g : m_panel->findChildren<QGroupBox*>())
        g->setMinimumWidth(g->fontMetrics().horizontalAdvance(g->title()) + 28);
    m_scroll = new QScrollArea;
    m_scroll->setObjectName(QStringLiteral("scroll"));
    m_scroll->setWidget(m_panel);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_scroll);
}

} // namespace relvo7::panel::ui
