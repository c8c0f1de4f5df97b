#include <gtest/gtest.h>

#include <cstdlib>

#include "DesktopRand.h"

// The browser build's rand() against this machine's own, value for value.
TEST(DesktopRand, GivesTheSystemRandSequenceUnseededAndForAnySeed)
{
    EXPECT_EQ(DesktopRand::kLargest, RAND_MAX);
    for (const unsigned seed : {1u, 0u, 2u, 12345u, 4294967295u}) {
        srand(seed);
        DesktopRand generator(seed);
        for (int i = 0; i < 100000; ++i) {
            const int expected = rand();
            ASSERT_EQ(generator.next(), expected) << "seed " << seed << ", value " << i;
        }
    }
}
