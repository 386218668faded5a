#include "ProgressLogic.h"

#include <algorithm>
#include <cmath>

namespace relvo7::widgets {

bool ProgressModel::setRange(int minimum, int maximum, double factor)
{
    if (maximum == m_max)
        return false;
    m_min = minimum;
    m_max = maximum;
    m_factor = factor;
    recompute();
    return true;
}

bool ProgressModel::setPos(int value)
{
    if (value == m_pos)
        return false;
    m_pos = value;
    return true;
}

bool ProgressModel::setMarkers(int upper, int lower)
{
    if (upper == m_upper && lower == m_lower)
        return false;
    m_upper = upper;
    m_lower = lower;
    recompute();
    return true;
}

bool ProgressModel::setWidth(int width)
{
    width = std::max(width, 0);
    if (width == m_width)
        return false;
    m_width = width;
    recompute();
    return true;
}

void ProgressModel::recompute()
{
    // An empty or inverted range would divide by zero or grow the bar leftwards:
    // such a bar stays empty.
    const int span = m_max - m_min;
    m_scale = span > 0 ? m_factor * m_width / span : 0.0;
    m_upperPx = static_cast<int>(m_upper * m_scale);
    m_lowerPx = static_cast<int>(m_lower * m_scale);
}

int barEnd(const ProgressModel& model)
{
    const double end = model.pos() * model.scale();
    if (!(end > 0.0))
        return 0;
    return static_cast<int>(std::min(end, static_cast<double>(model.width())));
}

BarLayout barLayout(const ProgressModel& model, const ProgressColours& colours)
{
    BarLayout layout;
    const int end = barEnd(model);
    if (end <= 0)
        return layout;
    const bool hasUpper = model.upper() != 0;
    const bool hasLower = model.lower() != 0;
    const int pos = model.pos();
    auto one = [&](Rgb c) {
        layout.count = 1;
        layout.pieces[0] = {0, end, c};
    };
    if (hasUpper && hasLower) {
        if (pos <= model.lower())
            one(colours.belowLower);
        else if (pos <= model.upper())
            one(colours.normal);
        else
            one(colours.aboveUpper);
    } else if (hasUpper) {
        if (pos <= model.upper()) {
            one(colours.normal);
        } else {
            // Normal up to and including the marker's pixel, the warning colour beyond.
            const int split = std::clamp(model.upperPixel() + 1, 0, end);
            layout.count = 0;
            if (split > 0)
                layout.pieces[layout.count++] = {0, split, colours.normal};
            if (split < end)
                layout.pieces[layout.count++] = {split, end, colours.aboveUpper};
        }
    } else if (hasLower) {
        one(pos <= model.lower() ? colours.belowLower : colours.normal);
    } else {
        one(colours.normal);
    }
    return layout;
}

Rgb barShade(Rgb colour, int y, int height)
{
    if (height <= 1)
        return colour;
    const Rgb edge = scaled(colour, 66);
    const double half = height / 2.0;
    // Distance from the middle, 0 at half height, 1 at either edge.
    double t = std::abs((y + 0.5) - half) / half;
    t = std::clamp(t, 0.0, 1.0);
    auto mix = [t](int full, int dim) { return static_cast<std::uint8_t>(full + (dim - full) * t); };
    return Rgb{mix(colour.r, edge.r), mix(colour.g, edge.g), mix(colour.b, edge.b)};
}

} // namespace relvo7::widgets
