#include <gtest/gtest.h>

#include <climits>

#include "Rank.h"

TEST(Rank, EveryBandIsBoundedInclusivelyOnBothSides)
{
    const struct
    {
        int lowest;
        int highest;
        const char* title;
    } bands[] = {
        {INT_MIN, 9, "Baby"},
        {10, 19, "Weak Sow"},
        {20, 29, "Amateur Ham"},
        {30, 39, "The little piggie that stayed home"},
        {40, 49, "Pig in training"},
        {50, 59, "Average apple obtainer"},
        {60, 99, "Very good apple obtainer"},
        {100, 199, "Expert"},
        {200, 299, "Superpig"},
        {300, 449, "Lord Thy (Pig) God"},
        {450, INT_MAX, "Seek help"},
    };
    for (const auto& band : bands) {
        EXPECT_EQ(getRank(band.lowest), band.title) << band.lowest;
        EXPECT_EQ(getRank(band.highest), band.title) << band.highest;
    }
}
