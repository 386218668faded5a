#pragma once
// LED state with blinking: which picture the LED shows.

namespace relvo7::widgets {

class LedModel {
public:
    // Returns true when the shown picture may have changed.
    bool setState(bool on)
    {
        if (on == m_on)
            return false;
        m_on = on;
        return true;
    }
    // Blinking restarts from the lit phase; the caller starts or stops its 500 ms timer.
    bool setBlink(bool on)
    {
        const bool before = showsOn();
        m_blink = on;
        m_phase = false;
        return before != showsOn();
    }
    // One 500 ms tick: while lit the phase flips. Returns true when a repaint is due.
    bool tick()
    {
        if (!m_on)
            return false;
        m_phase = !m_phase;
        return m_blink;
    }
    bool showsOn() const { return m_on && !(m_blink && m_phase); }
    bool state() const { return m_on; }
    bool blinking() const { return m_blink; }

private:
    bool m_on = true;
    bool m_blink = false;
    bool m_phase = false;
};

} // namespace relvo7::widgets
