#pragma once
// The panel's display state as the engine last set it, shared between the
// polling thread (which writes it as fast as the link reads) and the window
// thread (which applies it to the view at its own pace, e.g. 25 times a second).
// Control properties are a snapshot: only the latest value of each is applied.
// Alarm-row operations, graph resets and focus moves are an ordered queue, so
// none is lost however seldom the window applies. std:: only, thread-safe.
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "PanelView.h"

namespace relvo7::panel {

struct ControlState {
    std::optional<std::string> text;
    std::optional<int> pos;
    std::optional<std::pair<int, int>> range;   // lower, upper
    std::optional<std::pair<int, int>> markers; // upper, lower
    std::optional<int> state;
    std::optional<bool> visible;
    std::optional<bool> enabled;
    std::optional<uint32_t> graphLevel;
    std::optional<bool> graphRunning;
};

class PanelModel {
public:
    PanelModel();

    // Control properties (any thread). Setting a property to the value it
    // already has does nothing, so a control is only shown or hidden when its
    // visibility actually changes.
    void setText(int id, std::string utf8);
    void setPos(int id, int pos);
    void setRange(int id, int lower, int upper);
    void setMarkers(int id, int upper, int lower);
    void setState(int id, int state);
    void setVisible(int id, bool visible);
    void setEnabled(int id, bool enabled);
    void setGraphLevel(int id, uint32_t thermalValue);
    void setGraphRunning(int id, bool running);

    // Ordered operations (any thread).
    void resetGraphLevel(int id);
    void insertAlarmRow(AlarmRow row); // at the top of list 1046
    void deleteAlarmRows(int itemData);
    void deleteAllAlarmRows();
    void setFocus(int id);

    // Reading the current state (tests, relvo7ctl).
    ControlState control(int id) const;
    std::string text(int id) const; // "" when never set
    std::vector<AlarmRow> alarmRows() const; // top first

    // Window thread: applies the queued operations in order, then every
    // property changed since the last call. Returns the number of view calls.
    size_t applyTo(PanelView& view);
    bool hasPending() const;

private:
    enum Field : unsigned {
        FText = 1, FPos = 2, FRange = 4, FMarkers = 8, FState = 16, FVisible = 32, FEnabled = 64,
        FGraphLevel = 128, FGraphRunning = 256
    };
    struct Entry {
        ControlState value;
        unsigned dirty = 0;
    };
    struct Operation {
        enum Kind { InsertRow, DeleteRows, DeleteAllRows, ResetGraph, Focus } kind;
        int arg = 0;  // item data of DeleteRows, control of ResetGraph and Focus
        AlarmRow row; // InsertRow
    };

    template <class T> void assign(int id, std::optional<T> ControlState::*member, T value, Field field);

    mutable std::mutex mutex_;
    std::map<int, Entry> controls_;
    std::vector<int> dirtyIds_;
    std::vector<Operation> queue_;
    std::vector<AlarmRow> rows_;
};

} // namespace relvo7::panel
