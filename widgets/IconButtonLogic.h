#pragma once
// Mouse states of the icon button and where its picture sits.

namespace relvo7::widgets {

class IconButtonModel {
public:
    // Each returns true when the state changed (the button then repaints).
    bool press() { return set(true, m_hover); }
    bool release() { return set(false, m_hover); }
    bool move(bool leftHeld) { return leftHeld ? set(true, false) : set(m_pressed, true); }
    bool leave() { return set(false, false); }

    bool pressed() const { return m_pressed; }
    bool hover() const { return m_hover; }

    // Offset of the centred picture: pressed sinks one pixel right and down,
    // hover rises one pixel left and up.
    int offset() const { return m_pressed ? 1 : (m_hover ? -1 : 0); }

private:
    bool set(bool pressed, bool hover)
    {
        if (pressed == m_pressed && hover == m_hover)
            return false;
        m_pressed = pressed;
        m_hover = hover;
        return true;
    }
    bool m_pressed = false;
    bool m_hover = false;
};

} // namespace relvo7::widgets
