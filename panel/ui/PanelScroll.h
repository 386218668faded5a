#pragma once
// Scrolling of a panel larger than its window: in each direction the scroll
// range is the hidden part, and a line or page step is a tenth of it.
namespace relvo7::panel::ui {

struct ScrollAxis {
    bool enabled = false; // false: the panel fits, the bar is disabled
    int maximum = 0;      // the hidden part (full size - client size)
    int step = 0;         // line and page step: a tenth of the hidden part (at least 1)
};

inline ScrollAxis scrollAxis(int fullSize, int clientSize) {
    ScrollAxis a;
    if (clientSize >= fullSize) return a;
    a.enabled = true;
    a.maximum = fullSize - clientSize;
    a.step = a.maximum / 10 > 0 ? a.maximum / 10 : 1;
    return a;
}

// A step from `pos` by `delta` steps, never beyond either end.
inline int scrollStep(const ScrollAxis& a, int pos, int delta) {
    const int next = pos + delta * a.step;
    return next < 0 ? 0 : (next > a.maximum ? a.maximum : next);
}

} // namespace relvo7::panel::ui
