#include "PanelReset.h"

#include "Decoding.h"
#include "PanelIds.h"
#include "PanelTexts.h"
#include "SharedState.h"

namespace relvo7::panel {

void ResetPanel(PanelModel& m) {
    using namespace id;
    clearMeasurements(); // MeasurementBlock and AlarmMask

    for (int l : {PhaseCurrent1, PhaseCurrent2, PhaseCurrent3, ZeroCurrent, AvgCurrent1, AvgCurrent2, AvgCurrent3,
                  MaxAvgCurrent1, MaxAvgCurrent2, MaxAvgCurrent3, StartingCurrent, OverloadCurrent, NegativeCurrent})
        m.setText(l, text::kIdleCurrent);
    for (int l : {LineVoltage1, LineVoltage2, LineVoltage3, ZeroVoltage, PhaseVoltage1, PhaseVoltage2, PhaseVoltage3,
                  PositiveVoltage, NegativeVoltage})
        m.setText(l, text::kIdleVolts);
    m.setText(RestartTime, text::kTextOff);
    m.setText(StartingTime, text::kIdleSeconds);
    m.setText(OverloadTripTime, text::kTextNo);
    m.setText(OverloadWaitTime, text::kTextNo);
    m.setText(Temperature1, text::kIdleDegrees);
    m.setText(Temperature2, text::kIdleDegrees);
    m.setText(AnalogCurrent, text::kIdleMilliamps);
    m.setText(AnalogVoltage, text::kIdleAnalogVolts);
    m.setText(Frequency, text::kIdleHertz);
    m.setText(Insulation, text::kIdleMegaohms);
    for (int b : {BarPhaseCurrent1, BarPhaseCurrent2, BarPhaseCurrent3, BarZeroCurrent, BarNegativeCurrent,
                  BarLineVoltage1, BarLineVoltage2, BarLineVoltage3, BarNegativeVoltage, BarPhaseVoltage1,
                  BarPhaseVoltage2, BarPhaseVoltage3, BarRestart})
        m.setPos(b, 0);

    m.setGraphLevel(HeatingGraph, 0);
    m.setText(HeatingPercent, text::kIdlePercent);

    for (int led : {LedTmlpp, LedMotorRelay, LedFunctionRelay, ModeSignalling, ModeTimer, ModeStarDelta, LedFault})
        m.setState(led, 0);
    m.deleteAllAlarmRows();
    AlarmMask.store(0);
    for (int led : {LedRestart, LedButtonInputs, LedRemote}) m.setState(led, 0);

    m.setRange(BarRestart, 0, 900);
    for (int b : {BarPhaseCurrent1, BarPhaseCurrent2, BarPhaseCurrent3}) {
        m.setRange(b, 0, 6300);
        m.setMarkers(b, 0, 0);
    }
    m.setRange(BarNegativeCurrent, 0, 6300);
    m.setText(AvgPeriod, text::kIdleSeconds);
    for (int l : {PowerValue1, PowerValue2, PowerValue3}) m.setText(l, text::kIdleZero);
    for (int b : {BarLineVoltage1, BarLineVoltage2, BarLineVoltage3}) m.setMarkers(b, 380, 100);
}

std::string panelTitle(bool connected, int deviceVersion, float pollingSpeed) {
    if (!connected) return text::kTitleBase;
    return format(text::kFmtTitleConnected, text::kTitleBase, deviceVersion, static_cast<double>(pollingSpeed)) +
           kMakerWebAddress;
}

void UpdateTitle(PanelModel& model, bool connected) {
    model.setText(id::WindowTitle, panelTitle(connected, DeviceVersion.load(), PollingSpeed.load()));
}

} // namespace relvo7::panel
