#include "ProgressLogic.h"

#include <gtest/gtest.h>

using namespace relvo7::widgets;

namespace {

constexpr Rgb kGreen{89, 219, 75};
constexpr Rgb kYellow{255, 255, 0};

// A 100-pixel bar over 0..100: one pixel per unit.
ProgressModel bar(int upper, int lower, int pos)
{
    ProgressModel m;
    m.setWidth(100);
    m.setRange(0, 200, 1.0);
    m.setRange(0, 100, 1.0);
    m.setMarkers(upper, lower);
    m.setPos(pos);
    return m;
}

struct ColourCase {
    int upper, lower, pos;
    Rgb colour;
};

class SinglePieceBar : public ::testing::TestWithParam<ColourCase> {};

TEST_P(SinglePieceBar, TakesTheColourOfItsMarkerZone)
{
    const auto c = GetParam();
    const auto layout = barLayout(bar(c.upper, c.lower, c.pos), ProgressColours{});
    ASSERT_EQ(layout.count, 1);
    EXPECT_EQ(layout.pieces[0].left, 0);
    EXPECT_EQ(layout.pieces[0].right, c.pos);
    EXPECT_EQ(layout.pieces[0].colour, c.colour);
}

INSTANTIATE_TEST_SUITE_P(MarkerRules, SinglePieceBar,
                         ::testing::Values(ColourCase{80, 20, 10, kYellow},  // below lower
                                           ColourCase{80, 20, 20, kYellow},  // on lower counts as below
                                           ColourCase{80, 20, 50, kGreen},   // between
                                           ColourCase{80, 20, 80, kGreen},   // on upper counts as normal
                                           ColourCase{80, 20, 90, kYellow},  // above upper
                                           ColourCase{80, 0, 50, kGreen},    // upper only, below it
                                           ColourCase{0, 20, 10, kYellow},   // lower only, below it
                                           ColourCase{0, 20, 50, kGreen},    // lower only, above it
                                           ColourCase{0, 0, 90, kGreen}));   // no markers

TEST(ProgressBar, UpperMarkerOnlySplitsTheBarAfterTheMarkerPixel)
{
    const ProgressModel m = bar(80, 0, 90);
    EXPECT_EQ(m.upperPixel(), 80);
    const auto layout = barLayout(m, ProgressColours{});
    ASSERT_EQ(layout.count, 2);
    EXPECT_EQ(layout.pieces[0].left, 0);
    EXPECT_EQ(layout.pieces[0].right, 81);
    EXPECT_EQ(layout.pieces[0].colour, kGreen);
    EXPECT_EQ(layout.pieces[1].left, 81);
    EXPECT_EQ(layout.pieces[1].right, 90);
    EXPECT_EQ(layout.pieces[1].colour, kYellow);
}

TEST(ProgressBar, SetRangeWithTheSameMaximumIsIgnored)
{
    ProgressModel m = bar(0, 0, 50);
    const double scale = m.scale();
    EXPECT_FALSE(m.setRange(40, 100, 2.0));
    EXPECT_EQ(m.minimum(), 0);
    EXPECT_DOUBLE_EQ(m.scale(), scale);
    EXPECT_TRUE(m.setRange(0, 400, 1.0));
    EXPECT_DOUBLE_EQ(m.scale(), 0.25);
}

TEST(ProgressBar, SettersReportOnlyRealChanges)
{
    ProgressModel m = bar(80, 20, 50);
    EXPECT_FALSE(m.setPos(50));
    EXPECT_TRUE(m.setPos(51));
    EXPECT_FALSE(m.setMarkers(80, 20));
    EXPECT_TRUE(m.setMarkers(80, 30));
    EXPECT_FALSE(m.setWidth(100));
}

TEST(ProgressBar, EmptyOrInvertedRangeShowsAnEmptyBar)
{
    for (auto [lo, hi] : {std::pair{0, 0}, std::pair{10, 5}}) {
        ProgressModel m = bar(0, 0, 0);
        m.setRange(lo, hi, 1.0);
        m.setPos(7);
        m.setMarkers(3, 1);
        EXPECT_EQ(m.scale(), 0.0);
        EXPECT_EQ(barEnd(m), 0);
        EXPECT_EQ(barLayout(m, ProgressColours{}).count, 0);
        EXPECT_EQ(m.upperPixel(), 0);
    }
}

TEST(ProgressBar, ScaleAndMarkerPixelsFollowTheWidth)
{
    ProgressModel m;
    m.setWidth(130);
    m.setRange(0, 6300, 1.0);
    m.setMarkers(5000, 1000);
    EXPECT_EQ(m.upperPixel(), 103); // 5000 * 130 / 6300 = 103.17, truncated
    EXPECT_EQ(m.lowerPixel(), 20);
    m.setWidth(260);
    EXPECT_EQ(m.upperPixel(), 206);
    m.setPos(9000); // beyond the maximum: the bar stops at the edge
    EXPECT_EQ(barEnd(m), 260);
    m.setPos(-5);
    EXPECT_EQ(barEnd(m), 0);
}

TEST(ProgressBar, GradientIsDimAtTheEdgesAndFullInTheMiddle)
{
    const Rgb c{100, 200, 50};
    EXPECT_EQ(scaled(c, 66), (Rgb{66, 132, 33}));
    const int h = 20;
    const Rgb top = barShade(c, 0, h), mid = barShade(c, h / 2, h), bottom = barShade(c, h - 1, h);
    EXPECT_NEAR(top.g, 132, 6);
    EXPECT_NEAR(bottom.g, 132, 6);
    EXPECT_NEAR(mid.g, 200, 6);
    EXPECT_EQ(top, bottom);
}

} // namespace
