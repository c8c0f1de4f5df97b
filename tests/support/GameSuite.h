#ifndef TEST_GAME_SUITE_H
#define TEST_GAME_SUITE_H

#include <gtest/gtest.h>

#include "CGame.h"
#include "GlTestSupport.h"
#include "TestFolder.h"

// One real game for a whole suite, started on the stand-in sprites: the window and
// its textures live as long as the process, and the game is never destroyed.
class GameSuite : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        folder = new TestFolder();
        game = startGameWithStandInSprites(*folder, &startupOut);
    }

    static void TearDownTestSuite()
    {
        delete folder;
        folder = NULL;
    }

    static inline TestFolder* folder = NULL;
    static inline CGame* game = NULL;
    static inline std::vector<std::string> startupOut;
};

#endif
