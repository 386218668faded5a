#pragma once
// The panel's three colours, chosen by the interface style: the profile's own
// colours in the graphic style, the desktop's colours in the plain style.
// The alarm list and the picture buttons keep the profile's colours in both.
#include <QColor>

#include "SettingsRecord.h"

namespace relvo7::panel::ui {

struct PanelColours {
    QColor background; // window and every control's background
    QColor text;       // captions and status labels
    QColor values;     // value labels
    QColor listBackground; // alarm list and picture buttons (profile's background)
    QColor listText;       // alarm list text (profile's values colour)
};

QColor toQColor(ColorRef c);

// `buttonFace` and `windowText` are the desktop's colours, used by the plain style.
PanelColours panelColoursFor(const SettingsRecord& record, const QColor& buttonFace, const QColor& windowText);

} // namespace relvo7::panel::ui
