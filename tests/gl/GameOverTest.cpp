#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <dlfcn.h>
#include <thread>
#include <unistd.h>

#include "CGame.h"
#include "FontRaster.h"
#include "GameSuite.h"
#include "GlTestSupport.h"
#include "Platform.h"
#include "Rank.h"
#include "TestFolder.h"
#include "TorvaneActor.h"

namespace {

int swaps = 0;
int swapLimit = 1000000;
ScreenImage lastSwapped(640, 480);

} // namespace

// Stands in for SDL's own to count the frames shown and keep the last one; a loop
// that shows far more frames than a test allows ends the process instead of hanging.
extern "C" void SDL_GL_SwapBuffers(void)
{
    static const auto real = reinterpret_cast<void (*)(void)>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
    if (++swaps > swapLimit) {
        fprintf(stderr, "more than %i frames shown\n", swapLimit);
        _exit(3);
    }
    lastSwapped = readScreenImage();
    real();
}

namespace {

void pushEvent(Uint8 type)
{
    SDL_Event event = {};
    event.type = type;
    if (type == SDL_KEYDOWN || type == SDL_KEYUP)
        event.key.keysym.sym = SDLK_a;
    SDL_PushEvent(&event);
}

int queuedEvents()
{
    SDL_Event events[16];
    return SDL_PeepEvents(events, 16, SDL_PEEKEVENT, SDL_ALLEVENTS);
}

class GameOver : public GameSuite
{
protected:
    void SetUp() override
    {
        SDL_Event ignored;
        while (SDL_PollEvent(&ignored))
            ;
        game->score = 35;
        game->missed = 4;
        game->lives = 0;
        swaps = 0;
        swapLimit = 1000000;
    }

};

} // namespace

TEST_F(GameOver, TheThreeLinesStandAloneOnTheClearedScreen)
{
    game->lives = 3;
    game->displayHUD();
    game->lives = 0;
    pushEvent(SDL_KEYDOWN);
    game->gameOver();
    ASSERT_EQ(swaps, 1);

    const FontRaster font = gameFontRaster();
    ScreenImage expected(640, 480);
    font.print(expected, "You got a score of 35 with 4 misses!", 0, 220);
    font.print(expected, "This puts you at the rank of " + getRank(35) + "!", 0, 220 + font.lineHeight());
    font.print(expected, "Thanks for playing...", 0, 220 + 2 * font.lineHeight());
    EXPECT_EQ(getRank(35), "The little piggie that stayed home");
    EXPECT_LE(largestDifference(lastSwapped, expected, 0, 0, 640, 480), 2);
}

TEST_F(GameOver, AKeyDownDrainsTheWholeQueue)
{
    pushEvent(SDL_MOUSEMOTION);
    pushEvent(SDL_KEYDOWN);
    pushEvent(SDL_KEYDOWN);
    pushEvent(SDL_USEREVENT);
    game->gameOver();
    EXPECT_EQ(swaps, 1);
    EXPECT_EQ(queuedEvents(), 0);
}

TEST_F(GameOver, KeyUpsAndMouseMotionAreIgnoredAndAQuitEndsTheScreen)
{
    pushEvent(SDL_KEYUP);
    pushEvent(SDL_MOUSEMOTION);
    std::thread later([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        pushEvent(SDL_QUIT);
    });
    const auto start = std::chrono::steady_clock::now();
    game->gameOver();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    later.join();
    EXPECT_GE(seconds, 0.3);
    EXPECT_GT(swaps, 1) << "the screen is redrawn while it waits";
}

TEST_F(GameOver, ExactlyOneMoreFrameRunsAfterTheScreen)
{
    swapLimit = 10;
    pushEvent(SDL_KEYDOWN);
    game->gameLoop();
    EXPECT_EQ(swaps, 2) << "one pass of the screen, then the rest of its frame";

    const FontRaster font = gameFontRaster();
    ScreenImage expected(640, 480);
    font.print(expected, "SCORE: 35 MISSED: 4", 0, 0);
    EXPECT_LE(largestDifference(lastSwapped, expected, 0, 0, 640, font.lineHeight()), 2)
        << "that frame still draws the score line";
}
