#include "PanelColours.h"

namespace relvo7::panel::ui {

QColor toQColor(ColorRef c) { return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c)); }

PanelColours panelColoursFor(const SettingsRecord& record, const QColor& buttonFace, const QColor& windowText) {
    PanelColours c;
    if (record.bGraphicStyle == 1) {
        c.background = toQColor(record.clrBackground);
        c.text = toQColor(record.clrText);
        c.values = toQColor(record.clrParameter);
    } else {
        c.background = buttonFace;
        c.text = windowText;
        c.values = windowText;
    }
    c.listBackground = toQColor(record.clrBackground);
    c.listText = toQColor(record.clrParameter);
    return c;
}

} // namespace relvo7::panel::ui
