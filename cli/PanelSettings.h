#pragma once
// The connection options of relvo7ctl as the panel engine's connection settings.
#include "ConnectionSettings.h"
#include "LinkOptions.h"

namespace relvo7::cli {

panel::ConnectionSettings connectionSettingsFromTarget(const LinkTarget& target);

} // namespace relvo7::cli
