#include <gtest/gtest.h>

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
