#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <unistd.h>
#include <vector>

#include "BmpFile.h"
#include "CGame.h"
#include "GameSuite.h"
#include "GlTestSupport.h"
#include "OutputCapture.h"
#include "Platform.h"
#include "SpriteManager.h"
#include "TestFolder.h"
#include "TorvaneActor.h"
#include "TorvaneTimer.h"

namespace {

const int kApple = 3;
const int kHostile = 4;

std::vector<int> randAfterSeed(unsigned seed, int count)
{
    srand(seed);
    std::vector<int> values;
    for (int i = 0; i < count; ++i)
        values.push_back(rand());
    return values;
}

// The first seed whose first draw picks the wanted kind in the frame loop.
unsigned seedDrawingKind(bool hostile)
{
    unsigned seed = 1;
    while ((randAfterSeed(seed, 1)[0] % 4 == 1) != hostile)
        ++seed;
    return seed;
}

class GamePlay : public GameSuite
{
protected:
    void SetUp() override
    {
        removeObjects();
        TorvaneActor* pig = game->player;
        pig->setXYWH(15.0f, 416.0f, 64.0f, 64.0f);
        pig->setRotation(0.0);
        pig->resetAnimation();
        game->score = 0;
        game->missed = 0;
        game->lives = 9;
        game->delta = 0.0f;
        drainEvents();
        SDL_GetKeyState(NULL)[SDLK_SPACE] = 0;
    }

    void TearDown() override
    {
        removeObjects();
        drainEvents();
        SDL_GetKeyState(NULL)[SDLK_SPACE] = 0;
    }

    static void removeObjects()
    {
        while (game->actors.size() > 1) {
            delete game->actors.back();
            game->actors.pop_back();
        }
    }

    static void drainEvents()
    {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
    }

    static void pushKey(SDLKey key, Uint8 type = SDL_KEYDOWN)
    {
        SDL_Event event = {};
        event.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = key;
        SDL_PushEvent(&event);
    }

    TorvaneActor* addObject(int frame, float x, float y)
    {
        TorvaneActor* object = new TorvaneActor(game->sprites);
        object->setAnimation(frame, 1, 0.25f);
        object->setXYWH(x, y, 64.0f, 64.0f);
        game->actors.push_back(object);
        return object;
    }

    TorvaneActor* object(size_t position)
    {
        auto it = game->actors.begin();
        std::advance(it, position);
        return *it;
    }

};

} // namespace

TEST_F(GamePlay, StartsWithThePigRestingOnTheBottomEdge)
{
    ASSERT_FALSE(startupOut.empty());
    EXPECT_EQ(startupOut[0], "Loaded 6 sprites");
    EXPECT_EQ(game->sprites->size(), 6);
    EXPECT_EQ(game->sprites->getScreenWidth(), 640);
    EXPECT_EQ(game->sprites->getScreenHeight(), 480);
    EXPECT_EQ(game->tiles->getScreenWidth(), 640);
    EXPECT_EQ(game->tiles->getScreenHeight(), 480);
    ASSERT_EQ(game->actors.size(), 1u);
    EXPECT_EQ(game->actors.front(), game->player);
    EXPECT_EQ(game->player->getX(), 15.0f);
    EXPECT_EQ(game->player->getY(), 416.0f);
    EXPECT_EQ(game->player->getWidth(), 64.0f);
    EXPECT_EQ(game->player->getHeight(), 64.0f);

    game->player->updateAnimation(0.299f);
    EXPECT_EQ(game->player->getFrame(), 0);
    game->player->resetAnimation();
    game->player->updateAnimation(0.3f);
    EXPECT_EQ(game->player->getFrame(), 1) << "0.3 s a frame";
    game->player->updateAnimation(0.3f);
    game->player->updateAnimation(0.3f);
    EXPECT_EQ(game->player->getFrame(), 0) << "three frames";
}

TEST_F(GamePlay, FrameThatFiresTheTimerSpawnsOneObjectFromThreeRandValues)
{
    for (bool hostile : {false, true}) {
        SetUp();
        const unsigned seed = seedDrawingKind(hostile);
        const std::vector<int> values = randAfterSeed(seed, 4);
        srand(seed);
        game->spawnTimer->reset();
        game->spawnTimer->update(5.0f); // several intervals overdue: still one spawn
        pushKey(SDLK_ESCAPE);
        game->gameLoop();

        ASSERT_EQ(game->actors.size(), 2u) << "hostile " << hostile;
        TorvaneActor* spawned = object(1);
        const float delta = game->delta;
        EXPECT_EQ(spawned->getFrame(), hostile ? kHostile : kApple);
        EXPECT_FLOAT_EQ(spawned->getX(), 640.0f - 60.0f * delta);
        EXPECT_DOUBLE_EQ(spawned->getRotation(), values[2] % 360 + static_cast<double>(15 * delta));
        if (hostile)
            EXPECT_NEAR(spawned->getY(), values[1] % 416, 30.0f * delta + 0.001f) << "homing may move it";
        else
            EXPECT_EQ(spawned->getY(), values[1] % 416);
        EXPECT_EQ(rand(), values[3]) << "exactly three values were drawn";
        EXPECT_EQ(game->player->getY(), 416.0f) << "Escape came before the pig moved";
        TearDown();
    }
}

TEST_F(GamePlay, SpawnDrawsHeightThenRotationAndIgnoresUnknownKinds)
{
    const std::vector<int> values = randAfterSeed(99, 3);
    srand(99);
    game->spawnEnemy(2);
    game->spawnEnemy(-1);
    EXPECT_EQ(game->actors.size(), 1u);
    game->spawnEnemy(1);
    ASSERT_EQ(game->actors.size(), 2u);
    TorvaneActor* hostile = object(1);
    EXPECT_EQ(hostile->getFrame(), kHostile);
    EXPECT_EQ(hostile->getX(), 640.0f);
    EXPECT_EQ(hostile->getY(), values[0] % 416);
    EXPECT_EQ(hostile->getRotation(), values[1] % 360);
    EXPECT_EQ(hostile->getWidth(), 64.0f);
    EXPECT_EQ(hostile->getHeight(), 64.0f);
    EXPECT_EQ(rand(), values[2]);

    game->spawnEnemy(0);
    EXPECT_EQ(object(2)->getFrame(), kApple);
    EXPECT_EQ(object(2)->getX(), 640.0f);
}

TEST_F(GamePlay, ObjectsSpinAndFlyLeftAtTheScorePace)
{
    game->score = 40;
    game->delta = 0.5f;
    TorvaneActor* apple = addObject(kApple, 300.0f, 100.0f);
    apple->setRotation(10.0);
    game->handleEnemies();
    EXPECT_EQ(apple->getX(), 250.0f) << "100 pixels a second at score 40";
    EXPECT_EQ(apple->getY(), 100.0f) << "apples never home";
    EXPECT_EQ(apple->getRotation(), 17.5);
    EXPECT_EQ(game->player->getRotation(), 0.0) << "the pig is skipped";
    EXPECT_EQ(game->player->getX(), 15.0f);
}

TEST_F(GamePlay, CaughtAppleScoresAndEveryTwentiethPointGivesALife)
{
    // Sixty apples caught one by one: a life back at 20, 40 and 60, and at no other score.
    for (int caught = 1; caught <= 60; ++caught) {
        addObject(kApple, 40.0f, 400.0f);
        game->handleEnemies();
        ASSERT_EQ(game->score, caught);
        ASSERT_EQ(game->lives, 9 + caught / 20) << "after " << caught << " apples";
    }
    EXPECT_EQ(game->actors.size(), 1u);
    EXPECT_EQ(game->missed, 0);
}

TEST_F(GamePlay, TouchIsTestedBeforeTheMove)
{
    game->delta = 0.1f;
    TorvaneActor* apple = addObject(kApple, 79.5f, 416.0f);
    game->handleEnemies();
    EXPECT_EQ(game->score, 0) << "half a pixel apart before moving";
    EXPECT_FLOAT_EQ(apple->getX(), 73.5f);
    game->handleEnemies();
    EXPECT_EQ(game->score, 1);
}

TEST_F(GamePlay, HostileHitCostsALifeSaysSoAndShowsTheHurtPig)
{
    addObject(kHostile, 60.0f, 380.0f);
    OutputCapture capture;
    game->handleEnemies();
    EXPECT_EQ(capture.out(), "Player got hit by a hostile :(\n");
    EXPECT_EQ(game->lives, 8);
    EXPECT_EQ(game->score, 0);
    EXPECT_EQ(game->actors.size(), 1u);
    EXPECT_EQ(game->player->getFrame(), 5);
    game->player->updateAnimation(0.2f);
    EXPECT_EQ(game->player->getFrame(), 5);
    game->player->updateAnimation(0.2f);
    EXPECT_EQ(game->player->getFrame(), 0) << "the flight cycle resumes";
}

TEST_F(GamePlay, ObjectsLeaveOnlyWhenWhollyPastTheLeftEdge)
{
    TorvaneActor* apple = addObject(kApple, -64.0f, 0.0f);
    game->handleEnemies();
    EXPECT_EQ(game->actors.size(), 2u);
    EXPECT_EQ(game->missed, 0);

    apple->setX(-64.01f);
    game->handleEnemies();
    EXPECT_EQ(game->actors.size(), 1u);
    EXPECT_EQ(game->missed, 1);

    addObject(kHostile, -64.01f, 416.0f - 31.0f - 64.0f);
    game->handleEnemies();
    EXPECT_EQ(game->actors.size(), 1u);
    EXPECT_EQ(game->missed, 1) << "hostiles that fly past are not counted";
    EXPECT_EQ(game->lives, 9);
}

TEST_F(GamePlay, OnlyOneObjectIsRemovedAFrameAndTheRestWait)
{
    game->delta = 0.5f;
    addObject(kApple, -100.0f, 0.0f);
    TorvaneActor* second = addObject(kApple, -100.0f, 100.0f);
    TorvaneActor* third = addObject(kApple, 300.0f, 200.0f);
    game->handleEnemies();
    EXPECT_EQ(game->actors.size(), 3u);
    EXPECT_EQ(game->missed, 1);
    EXPECT_EQ(second->getX(), -100.0f);
    EXPECT_EQ(second->getRotation(), 0.0);
    EXPECT_EQ(third->getX(), 300.0f);

    game->handleEnemies();
    EXPECT_EQ(game->missed, 2);
    EXPECT_EQ(third->getX(), 300.0f);
    game->handleEnemies();
    EXPECT_EQ(third->getX(), 270.0f);
}

TEST_F(GamePlay, TwoObjectsOnThePigAreResolvedOneAFrame)
{
    game->delta = 0.5f;
    addObject(kApple, 30.0f, 400.0f);
    TorvaneActor* hostile = addObject(kHostile, 30.0f, 380.0f);
    OutputCapture capture;
    game->handleEnemies();
    EXPECT_EQ(game->score, 1);
    EXPECT_EQ(game->lives, 9);
    EXPECT_EQ(hostile->getX(), 30.0f);
    game->handleEnemies();
    EXPECT_EQ(game->lives, 8);
    EXPECT_EQ(capture.outLines().size(), 1u);
}

TEST_F(GamePlay, HostilesHomeOnlyBeyondThirtyTruncatedPixels)
{
    game->delta = 0.1f;
    game->player->setY(416.7f); // truncates to 416
    TorvaneActor* level = addObject(kHostile, 300.0f, 386.9f);
    game->handleEnemies();
    EXPECT_EQ(level->getY(), 386.9f) << "386 is 30 from 416: no homing";

    TorvaneActor* above = addObject(kHostile, 300.0f, 385.9f);
    game->handleEnemies();
    EXPECT_FLOAT_EQ(above->getY(), 385.9f + 3.0f) << "31 away: down at half the pace";

    game->player->setY(100.0f);
    TorvaneActor* below = addObject(kHostile, 300.0f, 300.0f);
    game->handleEnemies();
    EXPECT_FLOAT_EQ(below->getY(), 297.0f);
}

TEST_F(GamePlay, EscapeQuitsAtOnceLeavingLaterEventsAndThePigAlone)
{
    SDL_GetKeyState(NULL)[SDLK_SPACE] = 1;
    game->delta = 0.1f;
    game->player->setY(300.0f);
    game->player->setRotation(-5.0);
    pushKey(SDLK_ESCAPE);
    SDL_Event marker = {};
    marker.type = SDL_USEREVENT;
    marker.user.code = 7;
    SDL_PushEvent(&marker);

    EXPECT_EQ(game->getInput(), -1);
    EXPECT_EQ(game->player->getY(), 300.0f);
    EXPECT_EQ(game->player->getRotation(), -5.0);
    EXPECT_EQ(game->player->getFrame(), 0);
    SDL_Event queued[16];
    const int count = SDL_PeepEvents(queued, 16, SDL_PEEKEVENT, SDL_ALLEVENTS);
    bool markerQueued = false;
    for (int i = 0; i < count; ++i)
        markerQueued = markerQueued || (queued[i].type == SDL_USEREVENT && queued[i].user.code == 7);
    EXPECT_TRUE(markerQueued);
}

TEST_F(GamePlay, QuitEventQuitsAndOtherEventsAreIgnored)
{
    pushKey(SDLK_a);
    pushKey(SDLK_ESCAPE, SDL_KEYUP);
    EXPECT_EQ(game->getInput(), 0) << "only a key-down of Escape quits";
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_EQ(game->getInput(), -1);
}

TEST_F(GamePlay, ScreenshotKeyIsHandledOnlyBeforeAnEscape)
{
    WorkingDirectory inFolder(folder->path());
    remove("sshot.bmp");
    pushKey(SDLK_F2);
    pushKey(SDLK_ESCAPE);
    EXPECT_EQ(game->getInput(), -1);
    EXPECT_EQ(access("sshot.bmp", F_OK), 0);

    remove("sshot.bmp");
    pushKey(SDLK_ESCAPE);
    pushKey(SDLK_F2);
    EXPECT_EQ(game->getInput(), -1);
    EXPECT_NE(access("sshot.bmp", F_OK), 0);
}

TEST_F(GamePlay, SpaceLiftsAndTiltsThePigWhileTheConstantPullDrags)
{
    game->delta = 0.1f;
    SDL_GetKeyState(NULL)[SDLK_SPACE] = 1;
    EXPECT_EQ(game->getInput(), 0);
    EXPECT_NEAR(game->player->getY(), 396.0f, 1e-3) << "-650 then +450 pixels a second";
    EXPECT_EQ(game->player->getRotation(), 5.0);

    game->player->setY(0.0f);
    game->getInput();
    EXPECT_NEAR(game->player->getY(), 45.0f, 1e-3) << "no lift at the top edge";
    game->player->setY(0.5f);
    game->getInput();
    EXPECT_NEAR(game->player->getY(), -19.5f, 1e-3) << "one frame's overshoot";

    SDL_GetKeyState(NULL)[SDLK_SPACE] = 0;
    game->player->setY(100.0f);
    game->getInput();
    EXPECT_NEAR(game->player->getY(), 145.0f, 1e-3);
    EXPECT_EQ(game->player->getRotation(), -5.0);
    game->player->setY(400.0f);
    game->getInput();
    EXPECT_EQ(game->player->getY(), 416.0f) << "held at the bottom edge";
}

TEST_F(GamePlay, EachInputFrameAdvancesThePigsAnimationOnce)
{
    game->delta = 0.3f;
    game->getInput();
    EXPECT_EQ(game->player->getFrame(), 1);
    game->delta = 1.0f;
    game->getInput();
    EXPECT_EQ(game->player->getFrame(), 2);
}

TEST_F(GamePlay, ScreenshotKeyWritesTheFrameSoFarTopRowFirst)
{
    WorkingDirectory inFolder(folder->path());
    remove("sshot.bmp");
    TQ_clearScreen();
    fillBox(0, 0, 640, 1, 1, 0, 0);
    fillBox(0, 479, 640, 480, 0, 0, 1);
    pushKey(SDLK_F2);
    pushKey(SDLK_F2);
    EXPECT_EQ(game->getInput(), 0) << "the screenshot key does not quit";

    BmpFile shot("sshot.bmp");
    ASSERT_TRUE(shot.valid);
    EXPECT_EQ(shot.width, 640);
    EXPECT_EQ(shot.height, 480);
    EXPECT_EQ(shot.bitsPerPixel, 24);
    for (int x : {0, 320, 639}) {
        EXPECT_EQ(shot.at(x, 0).r, 255) << x;
        EXPECT_EQ(shot.at(x, 0).b, 0) << x;
        EXPECT_EQ(shot.at(x, 479).b, 255) << x;
        EXPECT_EQ(shot.at(x, 479).r, 0) << x;
        EXPECT_EQ(shot.at(x, 1).r, 0) << x;
    }
}

TEST_F(GamePlay, ScreenshotThatCannotBeWrittenIsQuietlyDropped)
{
    OutputCapture capture;
    game->takeScreenshot("/nonexistent-folder/sshot.bmp");
    EXPECT_EQ(capture.out(), "");
    EXPECT_EQ(capture.err(), "");
}
