#include "PanelModel.h"

#include <algorithm>

#include "PanelIds.h"

namespace relvo7::panel {

PanelModel::PanelModel() {
    // What the window shows before the engine first touches it; seeded without
    // marking anything changed, so the first hide of START is no change.
    for (int hidden : {id::Start, id::Stop, id::Reset}) controls_[hidden].value.visible = false;
    controls_[id::MotorPicture].value.visible = true;
    controls_[id::Journal].value.enabled = false;
    controls_[id::Settings].value.enabled = true;
}

template <class T>
void PanelModel::assign(int id, std::optional<T> ControlState::*member, T value, Field field) {
    std::lock_guard lock(mutex_);
    Entry& e = controls_[id];
    std::optional<T>& slot = e.value.*member;
    if (slot && *slot == value) return;
    slot = std::move(value);
    if (e.dirty == 0) dirtyIds_.push_back(id);
    e.dirty |= field;
}

void PanelModel::setText(int id, std::string utf8) { assign(id, &ControlState::text, std::move(utf8), FText); }
void PanelModel::setPos(int id, int pos) { assign(id, &ControlState::pos, pos, FPos); }
void PanelModel::setRange(int id, int lower, int upper) {
    assign(id, &ControlState::range, std::pair{lower, upper}, FRange);
}
void PanelModel::setMarkers(int id, int upper, int lower) {
    assign(id, &ControlState::markers, std::pair{upper, lower}, FMarkers);
}
void PanelModel::setState(int id, int state) { assign(id, &ControlState::state, state, FState); }
void PanelModel::setVisible(int id, bool visible) { assign(id, &ControlState::visible, visible, FVisible); }
void PanelModel::setEnabled(int id, bool enabled) { assign(id, &ControlState::enabled, enabled, FEnabled); }
void PanelModel::setGraphLevel(int id, uint32_t value) {
    assign(id, &ControlState::graphLevel, value, FGraphLevel);
}
void PanelModel::setGraphRunning(int id, bool running) {
    assign(id, &ControlState::graphRunning, running, FGraphRunning);
}

void PanelModel::resetGraphLevel(int id) {
    std::lock_guard lock(mutex_);
    queue_.push_back({Operation::ResetGraph, id, {}});
}

void PanelModel::insertAlarmRow(AlarmRow row) {
    std::lock_guard lock(mutex_);
    rows_.insert(rows_.begin(), row);
    queue_.push_back({Operation::InsertRow, 0, std::move(row)});
}

void PanelModel::deleteAlarmRows(int itemData) {
    std::lock_guard lock(mutex_);
    std::erase_if(rows_, [&](const AlarmRow& r) { return r.itemData == itemData; });
    queue_.push_back({Operation::DeleteRows, itemData, {}});
}

void PanelModel::deleteAllAlarmRows() {
    std::lock_guard lock(mutex_);
    rows_.clear();
    queue_.push_back({Operation::DeleteAllRows, 0, {}});
}

void PanelModel::setFocus(int id) {
    std::lock_guard lock(mutex_);
    queue_.push_back({Operation::Focus, id, {}});
}

ControlState PanelModel::control(int id) const {
    std::lock_guard lock(mutex_);
    auto it = controls_.find(id);
    return it == controls_.end() ? ControlState{} : it->second.value;
}

std::string PanelModel::text(int id) const { return control(id).text.value_or(std::string()); }

std::vector<AlarmRow> PanelModel::alarmRows() const {
    std::lock_guard lock(mutex_);
    return rows_;
}

bool PanelModel::hasPending() const {
    std::lock_guard lock(mutex_);
    return !queue_.empty() || !dirtyIds_.empty();
}

size_t PanelModel::applyTo(PanelView& view) {
    // Take the work out under the lock, call the view without it, so a slow
    // window never holds up the polling thread.
    std::vector<Operation> ops;
    std::vector<std::pair<int, Entry>> changed;
    {
        std::lock_guard lock(mutex_);
        ops.swap(queue_);
        changed.reserve(dirtyIds_.size());
        for (int id : dirtyIds_) {
            Entry& e = controls_[id];
            changed.emplace_back(id, e);
            e.dirty = 0;
        }
        dirtyIds_.clear();
    }
    size_t calls = 0;
    for (const Operation& op : ops) {
        ++calls;
        switch (op.kind) {
        case Operation::InsertRow: view.insertAlarmRow(id::AlarmList, op.row); break;
        case Operation::DeleteRows: view.deleteAlarmRows(id::AlarmList, op.arg); break;
        case Operation::DeleteAllRows: view.deleteAllAlarmRows(id::AlarmList); break;
        case Operation::ResetGraph: view.resetGraphLevel(op.arg); break;
        case Operation::Focus: view.setFocus(op.arg); break;
        }
    }
    for (const auto& item : changed) {
        const int cid = item.first;
        const Entry& e = item.second;
        const ControlState& s = e.value;
        auto call = [&](unsigned field, auto&& fn) {
            if (e.dirty & field) {
                fn();
                ++calls;
            }
        };
        call(FText, [&] { view.setText(cid, *s.text); });
        call(FRange, [&] { view.setRange(cid, s.range->first, s.range->second); });
        call(FMarkers, [&] { view.setMarkers(cid, s.markers->first, s.markers->second); });
        call(FPos, [&] { view.setPos(cid, *s.pos); });
        call(FState, [&] { view.setState(cid, *s.state); });
        call(FVisible, [&] { view.setVisible(cid, *s.visible); });
        call(FEnabled, [&] { view.setEnabled(cid, *s.enabled); });
        call(FGraphLevel, [&] { view.setGraphLevel(cid, *s.graphLevel); });
        call(FGraphRunning, [&] { view.setGraphRunning(cid, *s.graphRunning); });
    }
    return calls;
}

} // namespace relvo7::panel
