#pragma once
// Threshold bar arithmetic: range, scale, markers and the coloured pieces of the bar.
#include "Rgb.h"

#include <array>

namespace relvo7::widgets {

struct ProgressColours {
    Rgb background{208, 209, 193};
    Rgb normal{89, 219, 75};
    Rgb belowLower{255, 255, 0};
    Rgb aboveUpper{255, 255, 0};
    Rgb lowerMarker{255, 0, 0};
    Rgb upperMarker{255, 0, 0};
};

// Everything the bar shows, in values and in pixels of a client `width` wide.
class ProgressModel {
public:
    // Returns true when something changed (the widget then redraws).
    bool setRange(int minimum, int maximum, double factor);
    bool setPos(int value);
    bool setMarkers(int upper, int lower);
    // The client width changed: scale and marker pixels follow it.
    bool setWidth(int width);

    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    int pos() const { return m_pos; }
    double scale() const { return m_scale; }
    int upper() const { return m_upper; }
    int lower() const { return m_lower; }
    int upperPixel() const { return m_upperPx; }
    int lowerPixel() const { return m_lowerPx; }
    int width() const { return m_width; }

private:
    void recompute();

    int m_min = 0, m_max = 100, m_pos = 0;
    double m_factor = 1.0;
    double m_scale = 1.0;
    int m_upper = 0, m_lower = 0, m_upperPx = 0, m_lowerPx = 0;
    int m_width = 100;
};

struct BarPiece {
    int left = 0;  // first pixel column
    int right = 0; // one past the last column
    Rgb colour;
};

struct BarLayout {
    int count = 0;
    std::array<BarPiece, 2> pieces{};
};

// Pixel where the bar ends (exclusive), clipped to the client width.
int barEnd(const ProgressModel& model);
// The bar's pieces and their colours by the marker rules.
BarLayout barLayout(const ProgressModel& model, const ProgressColours& colours);
// Colour of the bar's gradient at row y of a bar `height` high: 66 % at the
// edges, full colour at half the height.
Rgb barShade(Rgb colour, int y, int height);

} // namespace relvo7::widgets
