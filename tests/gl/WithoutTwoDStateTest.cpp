#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "OutputCapture.h"
#include "Platform.h"
#include "SpriteManager.h"
#include "TorvaneApp.h"
#include "VeskBitmapFont.h"

namespace {

const std::string kData = std::string(GRUBNOSH_SOURCE_DIR) + "/data/";

// Opens a window whose 2D state TQ_initGL never set, draws, and ends the process.
void drawWithoutTwoDState(const std::function<void()>& draw)
{
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (TQ_initSDL(640, 480) != 0)
        exit(2);
    draw();
    TQ_flip();
    exit(0);
}

// Standard error holds the warning line once, and nothing else but a leak
// checker's closing report.
const char* const kWarnedOnce =
    "^WARN\\) Drawing without the 2D state: call TQ_initGL after TQ_initSDL\n(-----.*)?$";

} // namespace

// Each case draws twice, in a process of its own: the warning is told once per process.
TEST(WithoutTwoDState, DrawingWarnsOnceAndGoesOn)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const struct
    {
        const char* name;
        std::function<void()> draw;
    } cases[] = {
        {"sprite",
         [] {
             OutputCapture loading; // the end of the numbered files goes to standard error
             SpriteManager sprites((kData + "sprites").c_str());
             loading.err();
             sprites.drawSprite(0, 10, 10, 64, 64);
             sprites.drawSprite(1, 100, 10, 64, 64, 90.0f);
         }},
        {"text",
         [] {
             VeskBitmapFont font((kData + "bitfont").c_str());
             font.print("SCORE", 10, 10);
             font.rightAlignPrint("MISSED", 600, 10);
         }},
        {"box",
         [] {
             TQ_fillRect(10, 10, 100, 50, {1.0f, 0.0f, 0.0f, 1.0f});
             TQ_fillRect(200, 10, 100, 50, {0.0f, 1.0f, 0.0f, 0.5f});
         }},
    };
    for (const auto& c : cases)
        EXPECT_EXIT(drawWithoutTwoDState(c.draw), ::testing::ExitedWithCode(0), kWarnedOnce) << c.name;
}
