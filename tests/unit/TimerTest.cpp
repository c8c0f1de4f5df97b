#include <gtest/gtest.h>

#include <cstring>

#include "TorvaneTimer.h"

namespace {

uint32_t bitsOf(float value)
{
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace

TEST(TorvaneTimer, DefaultIsCountDownFromZeroWithTenthOfASecond)
{
    TorvaneTimer timer;
    EXPECT_EQ(timer.getTime(), 0.0f);
    timer.reset();
    EXPECT_EQ(bitsOf(timer.getTime()), 0x3DCCCCCDu);
    TorvaneTimer fresh;
    EXPECT_TRUE(fresh.update(0.0f)) << "count-down starts at 0, so it has already ended";
}

TEST(TorvaneTimer, CountUpFiresAtAndPastItsEndUntilReset)
{
    TorvaneTimer timer(1.35f, true);
    EXPECT_FALSE(timer.update(0.5f));
    EXPECT_FALSE(timer.update(0.5f));
    EXPECT_TRUE(timer.update(0.5f));
    EXPECT_FLOAT_EQ(timer.getTime(), 1.5f);
    EXPECT_TRUE(timer.update(0.1f));
    EXPECT_FLOAT_EQ(timer.getTime(), 1.6f);
    timer.reset();
    EXPECT_EQ(timer.getTime(), 0.0f);
    EXPECT_FALSE(timer.update(0.1f));

    TorvaneTimer exact(1.0f, true);
    EXPECT_TRUE(exact.update(1.0f)) << "the end point counts";
}

TEST(TorvaneTimer, CountDownIsNotResetAtConstruction)
{
    TorvaneTimer timer(2.0f, false);
    EXPECT_EQ(timer.getTime(), 0.0f);
    EXPECT_TRUE(timer.update(0.0f));
    timer.reset();
    EXPECT_EQ(timer.getTime(), 2.0f);
    EXPECT_FALSE(timer.update(1.0f));
    EXPECT_TRUE(timer.update(1.0f));
    EXPECT_EQ(timer.getTime(), 0.0f);
}

TEST(TorvaneTimer, NegativeTimeMovesTheTimerBack)
{
    TorvaneTimer timer(1.0f, true);
    EXPECT_FALSE(timer.update(-0.5f));
    EXPECT_EQ(timer.getTime(), -0.5f);
}

TEST(TorvaneTimer, PercentCompleteIsUnclamped)
{
    TorvaneTimer up(1.35f, true);
    up.update(0.675f);
    EXPECT_FLOAT_EQ(up.percentComplete(), 50.0f);
    up.update(1.35f);
    EXPECT_GT(up.percentComplete(), 100.0f);

    TorvaneTimer down(2.0f, false);
    down.reset();
    down.update(1.5f);
    EXPECT_FLOAT_EQ(down.percentComplete(), 25.0f);
    down.update(1.0f);
    EXPECT_LT(down.percentComplete(), 0.0f);
}

TEST(TorvaneAutoResetTimer, RestartsInTheUpdateThatReachesTheEnd)
{
    TorvaneAutoResetTimer up(1.0f, true);
    EXPECT_FALSE(up.update(0.6f));
    EXPECT_TRUE(up.update(0.6f));
    EXPECT_EQ(up.getTime(), 0.0f) << "leftover time is dropped";

    TorvaneAutoResetTimer down(1.0f, false);
    EXPECT_TRUE(down.update(0.25f));
    EXPECT_EQ(down.getTime(), 1.0f);
}

TEST(TorvaneAutoResetTimer, OverridesThroughTheBasePointer)
{
    TorvaneAutoResetTimer concrete(1.0f, true);
    TorvaneTimer* timer = &concrete;
    EXPECT_TRUE(timer->update(1.5f));
    EXPECT_EQ(timer->getTime(), 0.0f);
}
