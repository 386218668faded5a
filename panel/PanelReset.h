#pragma once
// The panel's idle state and its title.
#include <string>

#include "PanelModel.h"

namespace relvo7::panel {

// ResetPanel: every display, the MeasurementBlock and the AlarmMask back to idle.
void ResetPanel(PanelModel& model);

// Web address at the end of the connected title.
inline constexpr const char* kMakerWebAddress = "www.tarnwell.pl";

// UpdateTitle: the base title, or when connected the version and polling speed.
void UpdateTitle(PanelModel& model, bool connected);
std::string panelTitle(bool connected, int deviceVersion, float pollingSpeed);

} // namespace relvo7::panel
