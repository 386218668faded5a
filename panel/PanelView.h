#pragma once
// What the panel engine asks of the window, addressed by control identifier
// (PanelIds.h). The window implements it with its widgets; tests with a
// recording fake. Only the window thread calls it (through PanelModel::applyTo).
#include <cstdint>
#include <string>

namespace relvo7::panel {

// One row of the alarm list 1046. Texts are UTF-8.
struct AlarmRow {
    int itemData = 0;  // row of the alarm table (bit of the alarm word)
    std::string name;  // column 0
    std::string code;  // column 1
    std::string value; // column 2: value at detection, "Nie", "err" or empty
    std::string time;  // column 3: "%H:%M:%S" of detection
    bool operator==(const AlarmRow&) const = default;
};

class PanelView {
public:
    virtual ~PanelView() = default;
    // Label, button caption or status text; id::WindowTitle is the window's title.
    virtual void setText(int id, const std::string& utf8) = 0;
    virtual void setPos(int id, int pos) = 0;                      // bar position
    virtual void setRange(int id, int lower, int upper) = 0;       // bar range (0..0 allowed)
    virtual void setMarkers(int id, int upper, int lower) = 0;     // bar markers, 0 = not set
    virtual void setState(int id, int state) = 0;                  // LED/radio 0 or 1; picture id for 1082
    virtual void setVisible(int id, bool visible) = 0;
    virtual void setEnabled(int id, bool enabled) = 0;
    virtual void setGraphLevel(int id, uint32_t thermalValue) = 0; // heating graph SetLevelValue
    virtual void setGraphRunning(int id, bool running) = 0;        // heating graph SetRunning
    virtual void resetGraphLevel(int id) = 0;                      // heating graph ResetLevel
    virtual void insertAlarmRow(int listId, const AlarmRow& row) = 0; // at the top
    virtual void deleteAlarmRows(int listId, int itemData) = 0;       // every row with this item data
    virtual void deleteAllAlarmRows(int listId) = 0;
    virtual void setFocus(int id) = 0;
};

} // namespace relvo7::panel
