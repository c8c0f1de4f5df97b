#include <gtest/gtest.h>

#include <ctime>

#include "Platform.h"

TEST(FrameTime, IsMillisecondsOverAThousand)
{
    EXPECT_FLOAT_EQ(TQ_secondsBetween(0, 1234), 1.234f);
    EXPECT_EQ(TQ_secondsBetween(5000, 5000), 0.0f);
    EXPECT_FLOAT_EQ(TQ_secondsBetween(1000, 4000), 3.0f) << "a stall is not clamped";
}

TEST(FrameTime, SurvivesTheCounterWrapping)
{
    EXPECT_FLOAT_EQ(TQ_secondsBetween(0xFFFFFFF0u, 0x00000010u), 0.032f);
    EXPECT_FLOAT_EQ(TQ_secondsBetween(0xFFFFFFFFu, 0u), 0.001f);
}

TEST(FrameTime, GlobalsStartAtZero)
{
    EXPECT_EQ(TQ_OldDelta, 0.0f);
    EXPECT_EQ(TQ_OldStart, 0u);
}

TEST(LocalTime, DateFunctionsReadTheLocalCalendar)
{
    const time_t now = time(NULL);
    const tm expected = *localtime(&now);
    EXPECT_EQ(TQ_getYear(), expected.tm_year + 1900);
    EXPECT_EQ(TQ_getMonth(), expected.tm_mon);
    EXPECT_GE(TQ_getMonth(), 0);
    EXPECT_LE(TQ_getMonth(), 11);
    EXPECT_EQ(TQ_getDay(), expected.tm_mday);
    EXPECT_EQ(getLocalTime(), localtime(&now)) << "the runtime's static record";
}
