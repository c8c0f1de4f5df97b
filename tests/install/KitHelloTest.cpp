#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "GameProcess.h"

// Run by kit-test.sh and new-project-test.sh once they have built hello against the installed kit:
// KIT_RUNS holds a line per program, "FOLDER PROGRAM CAPTION": where it starts
// and the caption of its window.
namespace {

// Lit pixels: the pig and the text stand out against the black background.
int litPixels(const ScreenImage& screen, int left, int top, int right, int bottom)
{
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            count += channelDifference(screen.at(x, y), {0, 0, 0}) > 60;
    return count;
}

} // namespace

TEST(KitHello, OpensItsWindowWritesInTheKitsFontMovesThePigAndEndsOnEscape)
{
    std::istringstream runs(getenv("KIT_RUNS") != nullptr ? getenv("KIT_RUNS") : "");
    std::string folder;
    ProgramStart start;
    start.environment = {{"SDL_AUDIODRIVER", "dummy"}};
    int count = 0;
    while (runs >> folder >> start.binary && std::getline(runs >> std::ws, start.caption)) {
        SCOPED_TRACE(start.binary);
        ++count;
        GameProcess hello(folder, start);
        ASSERT_TRUE(hello.waitForWindow()) << hello.err();
        pause(0.8);
        const ScreenImage before = hello.grabWindow();
        EXPECT_GT(litPixels(before, 0, 0, 640, 48), 1000) << "no line of text: " << hello.err();
        EXPECT_GT(litPixels(before, 288, 208, 352, 272), 1000) << "no pig where it starts";

        hello.keyDown("Right");
        pause(0.5);
        hello.keyUp("Right");
        pause(0.2);
        EXPECT_LT(litPixels(hello.grabWindow(), 288, 208, 320, 272), 100) << "the pig did not move off to the right";

        hello.tap("Escape");
        EXPECT_EQ(hello.waitForExit(), 0) << hello.err();
        EXPECT_EQ(hello.err().find("FAIL)"), std::string::npos) << hello.err();
    }
    EXPECT_GT(count, 0) << "KIT_RUNS names no program";
}
