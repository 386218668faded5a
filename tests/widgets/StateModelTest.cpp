#include "IconButtonLogic.h"
#include "LedLogic.h"

#include <gtest/gtest.h>

using namespace relvo7::widgets;

TEST(LedBlink, LitLedAlternatesEachTick)
{
    LedModel led;
    EXPECT_TRUE(led.state()); // lit at creation
    led.setBlink(true);
    std::vector<bool> shown;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(led.tick());
        shown.push_back(led.showsOn());
    }
    EXPECT_EQ(shown, (std::vector<bool>{false, true, false, true}));
}

TEST(LedBlink, OffLedStaysOffWhileBlinking)
{
    LedModel led;
    led.setState(false);
    led.setBlink(true);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(led.tick());
        EXPECT_FALSE(led.showsOn());
    }
    // Turning it on mid-blink shows the lit picture at once.
    EXPECT_TRUE(led.setState(true));
    EXPECT_TRUE(led.showsOn());
}

TEST(LedBlink, StoppingTheBlinkShowsTheSteadyState)
{
    LedModel led;
    led.setBlink(true);
    led.tick(); // dark phase
    EXPECT_FALSE(led.showsOn());
    EXPECT_TRUE(led.setBlink(false));
    EXPECT_TRUE(led.showsOn());
    EXPECT_FALSE(led.tick()); // ticks without blinking need no repaint
    EXPECT_FALSE(led.setState(true));
}

TEST(IconButtonStates, MouseSequence)
{
    IconButtonModel b;
    EXPECT_TRUE(b.move(false));
    EXPECT_TRUE(b.hover());
    EXPECT_EQ(b.offset(), -1);
    EXPECT_FALSE(b.move(false)); // no change, no repaint
    EXPECT_TRUE(b.press());
    EXPECT_EQ(b.offset(), 1);
    EXPECT_TRUE(b.move(true)); // dragging clears hover, stays pressed
    EXPECT_TRUE(b.pressed());
    EXPECT_FALSE(b.hover());
    EXPECT_TRUE(b.release());
    EXPECT_EQ(b.offset(), 0);
    b.move(false);
    EXPECT_TRUE(b.leave());
    EXPECT_FALSE(b.pressed() || b.hover());
}
