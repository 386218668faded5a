#include "GraphLogic.h"
#include "QtAppEnvironment.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

using namespace relvo7::widgets;
namespace h = relvo7::widgets::heating;

namespace {

const auto* const kApp = ::testing::AddGlobalTestEnvironment(new QtAppEnvironment<QGuiApplication>);

QRgb rgb(Rgb c) { return qRgb(c.r, c.g, c.b); }
const QRgb kBg = rgb(h::kBackground);

// Count of non-background pixels in one strip column.
int coloured(const QImage& img, int x)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        n += img.pixel(x, y) != kBg;
    return n;
}

TEST(HeatingScale, Line66)
{
    EXPECT_EQ(h::y66(130), 64);  // 100 - 66 + 30
    EXPECT_EQ(h::y66(80), 47);   // 50 - 33 + 30
    EXPECT_EQ(h::y66(91), 51);   // 61 - 40 + 30
    EXPECT_EQ(h::y66(30), 30);   // no room: both lines coincide
}

struct LevelCase {
    std::uint32_t a;
    int height;
    int level;
    int percent;
};

class HeatingLevel : public ::testing::TestWithParam<LevelCase> {};

TEST_P(HeatingLevel, LevelAndPercentage)
{
    const auto c = GetParam();
    EXPECT_EQ(h::levelFor(c.a, c.height), c.level);
    EXPECT_EQ(h::percentFor(c.a), c.percent);
}

INSTANTIATE_TEST_SUITE_P(Table, HeatingLevel,
                         ::testing::Values(LevelCase{0, 90, 90, 0},
                                           LevelCase{1100000, 90, 30, 100},   // on the 100 % line
                                           LevelCase{550000, 90, 60, 50},
                                           LevelCase{726000, 130, 64, 66},    // on the 66 % line
                                           LevelCase{11000000, 90, -510, 1000},
                                           LevelCase{20000000, 90, -510, 1000}, // clamped to 1000 %
                                           LevelCase{0xFFFFFFFFu, 400, 400 - 3700, 1000}));

TEST(HeatingScale, TooltipPercentCountsFromTheBottomWithTheMargin)
{
    // Graph 90 high at panel y 10: the mouse on the bottom row reads a few percent.
    EXPECT_EQ(h::tooltipPercent(90, 10, 99), 5 * 100 / 60);
    EXPECT_EQ(h::tooltipPercent(90, 10, 44), 100); // 4 pixels under the 100 % line
    EXPECT_EQ(h::tooltipPercent(30, 10, 20), 0);   // no span: no division by zero
}

TEST(HeatingColours, BlendTruncatesEachComponent)
{
    EXPECT_EQ(h::blend(h::kFull, h::kCold, 0.0), h::kFull);
    EXPECT_EQ(h::blend(h::kFull, h::kCold, 1.0), h::kCold);
    EXPECT_EQ(h::blend(h::kFull, h::kCold, 0.5), (Rgb{131, 100, 91})); // 131.5, 100.5, 91.5
    EXPECT_EQ(h::blend(h::kHot, h::kFull, 0.5), (Rgb{255, 51, 0}));
}

TEST(HeatingColours, ColumnRunsFromRedThroughOrangeToBlue)
{
    const int height = 90;
    EXPECT_EQ(h::columnColour(0, height), h::kHot);
    EXPECT_EQ(h::columnColour(15, height), (Rgb{255, 51, 0}));
    EXPECT_EQ(h::columnColour(30, height), h::kFull);
    EXPECT_EQ(h::columnColour(90, height), h::kCold);
    EXPECT_EQ(h::columnColour(60, height), (Rgb{131, 100, 91}));
}

TEST(HeatingStripTicks, ColumnFillsFromTheLevelDown)
{
    HeatingStrip strip(100, 90);
    const QFont font;
    EXPECT_EQ(strip.setLevelValue(550000), 50);
    strip.tick(font);
    // Drawn at W - 1, then scrolled: the new column sits at W - 2.
    EXPECT_EQ(coloured(strip.strip(), 98), 30);
    EXPECT_EQ(strip.strip().pixel(98, 60), rgb(h::columnColour(60, 90)));
    EXPECT_EQ(strip.strip().pixel(98, 89), rgb(h::columnColour(89, 90)));
    EXPECT_EQ(strip.strip().pixel(98, 59), kBg);
    EXPECT_EQ(coloured(strip.strip(), 99), 0);
    // The display shows the strip with the 100 % line over it.
    EXPECT_EQ(strip.display().pixel(98, 89), rgb(h::columnColour(89, 90)));
    EXPECT_EQ(strip.display().pixel(80, 30), rgb(h::kLine100));
    EXPECT_EQ(strip.display().pixel(80, h::y66(90)), rgb(h::kLine66));
}

TEST(HeatingStripTicks, OverloadFillsTheWholeHeightAndZeroAddsNothing)
{
    HeatingStrip strip(60, 90);
    const QFont font;
    EXPECT_EQ(strip.setLevelValue(20000000), 1000);
    strip.tick(font);
    EXPECT_EQ(coloured(strip.strip(), 58), 90);
    EXPECT_EQ(strip.strip().pixel(58, 0), rgb(h::kHot));

    strip.setLevelValue(0);
    for (int i = 0; i < 5; ++i)
        strip.tick(font);
    EXPECT_EQ(coloured(strip.strip(), 53), 90); // the overload column, scrolled on
    for (int x = 54; x < 60; ++x)
        EXPECT_EQ(coloured(strip.strip(), x), 0) << x;
    strip.resetLevel();
    EXPECT_EQ(strip.level(), 90);
}

TEST(HeatingStripTicks, MarkerLineEveryWMinus3Ticks)
{
    const int w = 20;
    HeatingStrip strip(w, 40);
    const QFont font;
    const QRgb red = rgb(h::kMarker);
    // First tick: marker drawn at W - 3, scrolled to W - 4.
    strip.tick(font);
    EXPECT_EQ(strip.markerCountdown(), w - 3);
    EXPECT_EQ(coloured(strip.strip(), w - 4), 40);
    EXPECT_EQ(strip.strip().pixel(w - 4, 0), red);
    int markers = 1;
    for (int i = 1; i <= 2 * (w - 3); ++i) {
        strip.tick(font);
        if (strip.markerCountdown() == w - 3)
            ++markers;
    }
    EXPECT_EQ(markers, 3); // ticks 1, 1 + (W - 3), 1 + 2 (W - 3)
}

TEST(HeatingStripTicks, DegenerateSizesDoNotCrash)
{
    const QFont font;
    for (auto [w, hgt] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{2, 10}, std::pair{10, 20}}) {
        HeatingStrip strip(w, hgt);
        strip.setLevelValue(20000000);
        for (int i = 0; i < 5; ++i)
            strip.tick(font);
        EXPECT_EQ(strip.width(), w);
    }
}

} // namespace
