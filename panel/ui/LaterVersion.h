#pragma once
// The one place that stands in for the windows this version does not have yet
// (parameters dialog, fault journal, database dialog): their buttons are on
// the panel and tell the operator that the function comes with a later
// version. When such a window arrives, its button stops calling this.
#include "Prompt.h"

namespace relvo7::panel::ui {

// Later-version windows, by the button that opens them.
enum class LaterFeature { Parameters, Database, FaultJournal };

void showLaterVersionNotice(Prompt& prompt, LaterFeature feature);

} // namespace relvo7::panel::ui
