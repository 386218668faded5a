#pragma once
// The tooltip over the heating graph: the heating level under the mouse.
// The graph keeps a 30-pixel margin above its 100 % line.
#include <string>

namespace relvo7::panel::ui {

inline constexpr int kHeatingGraphTopMargin = 30;

// Percent under the mouse; `graphTop` and `mouseY` in the same coordinates.
// A graph too small to have a 100 % line gives 0.
inline int heatingTooltipPercent(int graphHeight, int graphTop, int mouseY) {
    const int span = graphHeight - kHeatingGraphTopMargin;
    if (span <= 0) return 0;
    const int level = graphHeight + graphTop - mouseY + 4;
    return level * 100 / span;
}

// "Grzanie: - %d%%".
std::string heatingTooltipText(int percent);

} // namespace relvo7::panel::ui
