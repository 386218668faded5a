#pragma once
// Heating graph arithmetic and its two drawing surfaces, free of any window so
// the strip can be driven and inspected headless.
#include "Rgb.h"

#include <QFont>
#include <QImage>

#include <cstdint>

namespace relvo7::widgets {

namespace heating {

constexpr int kTopMargin = 30;                 // pixels above the 100 % line
constexpr std::uint32_t kFullScale = 1100000;  // thermal-model value of 100 %
constexpr std::uint32_t kCeiling = 11000000;   // larger values count as this (1000 %)
constexpr int kMarkerGap = 3;                  // marker line sits this far left of the right edge

constexpr Rgb kBackground{232, 232, 206};
constexpr Rgb kHot{255, 0, 0};       // top edge
constexpr Rgb kFull{255, 103, 0};    // on the 100 % line
constexpr Rgb kCold{8, 98, 183};     // bottom edge
constexpr Rgb kMarker{255, 0, 0};
constexpr Rgb kLine100{152, 0, 3};
constexpr Rgb kLine66{18, 0, 191};

// y of the 66 % line in a graph `height` pixels high.
int y66(int height);
// y of the column top for thermal value a (may lie above the top edge, i.e. negative).
int levelFor(std::uint32_t a, int height);
// Heating in percent, 0 to 1000.
int percentFor(std::uint32_t a);
// a + (b - a) * fraction per component, truncated.
Rgb blend(Rgb a, Rgb b, double fraction);
// Colour of the column at row y.
Rgb columnColour(int y, int height);
// Percentage the panel's tooltip shows for a mouse at panel y over a graph whose
// top edge is at graphTop (panel coordinates); 0 for a graph with no room below the margin.
int tooltipPercent(int graphHeight, int graphTop, int mouseY);

} // namespace heating

// The strip (W + 1 by H, scrolled one pixel per tick) and the display surface
// (W by H, the strip with the reference lines and their texts).
class HeatingStrip {
public:
    explicit HeatingStrip(int width = 0, int height = 0);

    // Returns the heating percentage (0 to 1000).
    int setLevelValue(std::uint32_t a);
    void resetLevel() { m_level = m_height; }
    // One scroll step; the display surface is rebuilt with `font` for the texts.
    void tick(const QFont& font);
    // Rebuild the display surface from the strip.
    void compose(const QFont& font);

    int width() const { return m_width; }
    int height() const { return m_height; }
    int level() const { return m_level; }
    int markerCountdown() const { return m_countdown; }
    const QImage& strip() const { return m_strip; }
    const QImage& display() const { return m_display; }

private:
    int m_width;
    int m_height;
    int m_level;
    int m_countdown = 0;
    QImage m_strip;
    QImage m_display;
};

} // namespace relvo7::widgets
