#pragma once
// A PanelView that remembers what the window would show, and counts calls,
// so a test can say "label 1061 shows 57.0 А".
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "PanelView.h"

namespace relvo7::panel::testing {

class RecordingView : public PanelView {
public:
    std::map<int, std::string> texts;
    std::map<int, int> positions, states;
    std::map<int, std::pair<int, int>> ranges, markers;
    std::map<int, bool> visible, enabled, graphRunning;
    std::map<int, uint32_t> graphLevel;
    std::vector<AlarmRow> rows; // top first
    std::map<int, int> visibilityChanges;
    int graphResets = 0;
    int focusCalls = 0;
    size_t calls = 0;

    void setText(int id, const std::string& s) override { ++calls, texts[id] = s; }
    void setPos(int id, int pos) override { ++calls, positions[id] = pos; }
    void setRange(int id, int lo, int hi) override { ++calls, ranges[id] = {lo, hi}; }
    void setMarkers(int id, int up, int lo) override { ++calls, markers[id] = {up, lo}; }
    void setState(int id, int s) override { ++calls, states[id] = s; }
    void setVisible(int id, bool v) override { ++calls, ++visibilityChanges[id], visible[id] = v; }
    void setEnabled(int id, bool e) override { ++calls, enabled[id] = e; }
    void setGraphLevel(int id, uint32_t v) override { ++calls, graphLevel[id] = v; }
    void setGraphRunning(int id, bool r) override { ++calls, graphRunning[id] = r; }
    void resetGraphLevel(int) override { ++calls, ++graphResets; }
    void insertAlarmRow(int, const AlarmRow& row) override { ++calls, rows.insert(rows.begin(), row); }
    void deleteAlarmRows(int, int item) override {
        ++calls;
        std::erase_if(rows, [&](const AlarmRow& r) { return r.itemData == item; });
    }
    void deleteAllAlarmRows(int) override { ++calls, rows.clear(); }
    void setFocus(int) override { ++calls, ++focusCalls; }

    std::string text(int id) const {
        auto it = texts.find(id);
        return it == texts.end() ? std::string() : it->second;
    }
    int state(int id) const {
        auto it = states.find(id);
        return it == states.end() ? -1 : it->second;
    }
    std::vector<int> rowItems() const {
        std::vector<int> items;
        for (const auto& r : rows) items.push_back(r.itemData);
        return items;
    }
};

} // namespace relvo7::panel::testing
