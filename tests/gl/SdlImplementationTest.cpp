#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "SdlImplementation.h"
#include "SDL.h"

// Each pass of the window layers names the implementation it means to run on;
// a runtime linker path that missed its mark must fail here, not pass quietly.
TEST(SdlImplementation, IsTheOneThisPassExpects)
{
    const char* expected = getenv("GRUBNOSH_EXPECT_SDL");
    ASSERT_NE(expected, nullptr) << "GRUBNOSH_EXPECT_SDL is not set (classic or compat); run through ctest";
    const SDL_version* linked = SDL_Linked_Version();
    const int version = SDL_VERSIONNUM(linked->major, linked->minor, linked->patch);
    if (std::string(expected) == "compat") {
        EXPECT_GE(version, SDL_VERSIONNUM(1, 2, 50)) << sdlImplementation();
    } else if (std::string(expected) == "classic") {
        EXPECT_EQ(version, SDL_COMPILEDVERSION) << sdlImplementation();
    } else {
        FAIL() << "GRUBNOSH_EXPECT_SDL must be classic or compat, not " << expected;
    }
}
