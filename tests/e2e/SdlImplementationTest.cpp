#include <unistd.h>

#include <gtest/gtest.h>

#include "GameProcess.h"
#include "SdlImplementation.h"
#include "TestFolder.h"

// The game is started by the test and inherits its environment, so it must
// load the same SDL 1.2 library the test process runs on, in either pass.
TEST(SdlImplementation, TheGameRunsOnTheSameLibraryAsTheTests)
{
    TestFolder folder;
    folder.linkGameData();
    GameProcess game(folder.path());
    ASSERT_TRUE(game.waitForWindow());
    const std::string library = sdlLibraryOf(game.processId());
    EXPECT_FALSE(library.empty());
    EXPECT_EQ(library, sdlLibraryOf(getpid())) << "tests run on " << sdlImplementation();
    game.tap("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
}
