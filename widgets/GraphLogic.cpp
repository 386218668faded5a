#include "GraphLogic.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstring>

namespace relvo7::widgets {

namespace heating {

int y66(int height)
{
    const int span = height - kTopMargin;
    return span - span * 66 / 100 + kTopMargin;
}

int levelFor(std::uint32_t a, int height)
{
    const std::int64_t value = std::min(a, kCeiling);
    return static_cast<int>(height - value * (height - kTopMargin) / static_cast<std::int64_t>(kFullScale));
}

int percentFor(std::uint32_t a)
{
    const std::int64_t value = std::min(a, kCeiling);
    return static_cast<int>(value * 100 / kFullScale);
}

Rgb blend(Rgb a, Rgb b, double fraction)
{
    auto mix = [fraction](int x, int y) {
        const int v = static_cast<int>(x + (y - x) * fraction);
        return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
    };
    return Rgb{mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

Rgb columnColour(int y, int height)
{
    if (y >= kTopMargin) {
        const int span = height - kTopMargin;
        return blend(kFull, kCold, span > 0 ? static_cast<double>(y - kTopMargin) / span : 0.0);
    }
    return blend(kHot, kFull, static_cast<double>(y) / kTopMargin);
}

int tooltipPercent(int graphHeight, int graphTop, int mouseY)
{
    const int span = graphHeight - kTopMargin;
    if (span <= 0)
        return 0;
    const int level = graphHeight + graphTop - mouseY + 4;
    return level * 100 / span;
}

} // namespace heating

namespace {

QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

} // namespace

HeatingStrip::HeatingStrip(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_level(m_height),
      m_strip(m_width + 1, std::max(m_height, 1), QImage::Format_RGB32),
      m_display(std::max(m_width, 1), std::max(m_height, 1), QImage::Format_RGB32)
{
    m_strip.fill(toQColor(heating::kBackground));
    m_display.fill(toQColor(heating::kBackground));
}

int HeatingStrip::setLevelValue(std::uint32_t a)
{
    m_level = heating::levelFor(a, m_height);
    return heating::percentFor(a);
}

void HeatingStrip::tick(const QFont& font)
{
    if (m_width <= 0 || m_height <= 0)
        return;
    // 1. The newest column, from the level down to the bottom edge.
    const int x = m_width - 1;
    for (int y = std::max(m_level, 0); y < m_height; ++y) {
        const Rgb c = heating::columnColour(y, m_height);
        m_strip.setPixel(x, y, qRgb(c.r, c.g, c.b));
    }
    // 2. A red time marker every W - 3 ticks.
    if (m_countdown > 0)
        --m_countdown;
    if (m_countdown == 0) {
        const int mx = m_width - heating::kMarkerGap;
        if (mx >= 0) {
            const QRgb red = qRgb(heating::kMarker.r, heating::kMarker.g, heating::kMarker.b);
            for (int y = 0; y < m_height; ++y)
                m_strip.setPixel(mx, y, red);
        }
        m_countdown = std::max(m_width - heating::kMarkerGap, 0);
    }
    // 3. Scroll one pixel left; the rightmost column keeps its content.
    for (int y = 0; y < m_height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_strip.scanLine(y));
        std::memmove(line, line + 1, static_cast<std::size_t>(m_width) * sizeof(QRgb));
    }
    // 4. The display surface.
    compose(font);
}

void HeatingStrip::compose(const QFont& font)
{
    if (m_width <= 0 || m_height <= 0)
        return;
    QPainter p(&m_display);
    p.drawImage(QPoint(0, 0), m_strip, QRect(0, 0, m_width, m_height));
    p.setFont(font);
    auto line = [&](int y, Rgb colour, const QString& text) {
        const QColor c = toQColor(colour);
        // A 2-pixel line whose upper row is y.
        p.fillRect(QRect(0, y - 1, m_width, 2), c);
        p.setPen(c);
        p.drawText(QRect(0, y - 15, 50, 15), Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine, text);
    };
    line(heating::kTopMargin, heating::kLine100, QStringLiteral("100%"));
    line(heating::y66(m_height), heating::kLine66, QStringLiteral("66%"));
}

} // namespace relvo7::widgets
