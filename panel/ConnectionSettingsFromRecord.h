#pragma once
// Fills the connect sequence's settings from the program's settings record.
#include "ConnectionSettings.h"
#include "SettingsRecord.h"

namespace relvo7::panel {

ConnectionSettings connectionSettingsFrom(const SettingsRecord& record);

} // namespace relvo7::panel
