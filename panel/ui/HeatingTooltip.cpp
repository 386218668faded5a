#include "HeatingTooltip.h"

#include "Decoding.h"
#include "PanelUiTexts.h"

namespace relvo7::panel::ui {

std::string heatingTooltipText(int percent) { return format(kFmtHeatingTooltip, percent); }

} // namespace relvo7::panel::ui
