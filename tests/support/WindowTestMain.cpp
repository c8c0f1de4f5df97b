#include <cstdio>

#include <gtest/gtest.h>

#include "SdlImplementation.h"

// The same window tests run on more than one SDL 1.2 implementation; each
// executable says which one it got, so a failure's log tells the pass apart.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    printf("SDL implementation: %s\n", sdlImplementation().c_str());
    fflush(stdout);
    return RUN_ALL_TESTS();
}
