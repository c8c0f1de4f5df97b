#include <gtest/gtest.h>

#include <string>

#include "GameProcess.h"
#include "TestFolder.h"

namespace {

class Quit : public ::testing::Test
{
protected:
    void SetUp() override { folder.linkGameData(); }
    TestFolder folder;
};

} // namespace

TEST_F(Quit, EscapeEndsTheGameWithStatusZero)
{
    GameProcess game(folder.path());
    ASSERT_TRUE(game.waitForWindow());
    EXPECT_EQ(game.caption(), "Grubnosh");
    pause(0.5);
    game.tap("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
}

TEST_F(Quit, ClosingTheWindowEndsTheGameWithStatusZero)
{
    GameProcess game(folder.path());
    ASSERT_TRUE(game.waitForWindow());
    pause(0.5);
    game.closeWindow();
    EXPECT_EQ(game.waitForExit(), 0);
}

TEST_F(Quit, WithoutADisplayTheGameSaysSoAndEndsWithStatusOne)
{
    ProgramStart withoutDisplay;
    withoutDisplay.environment = kNoDisplay;
    GameProcess game(folder.path(), withoutDisplay);
    EXPECT_EQ(game.waitForExit(), 1);
    const std::vector<std::string> errors = game.errLines();
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back().rfind("FAIL) Couldn't open the game window: ", 0), 0u) << errors.back();
    EXPECT_EQ(game.out(), "") << "nothing was loaded";
}
