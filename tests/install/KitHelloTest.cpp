#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "GameProcess.h"

// Run by kit-test.sh once it has built hello against the installed kit:
// KIT_RUNS holds a line per program, "FOLDER PROGRAM CAPTION", the program
// started in the folder and its window found by the caption.
namespace {

struct KitRun
{
    std::string folder, program, caption;
};

std::vector<KitRun> runsAsked()
{
    std::vector<KitRun> runs;
    std::istringstream lines(getenv("KIT_RUNS") != nullptr ? getenv("KIT_RUNS") : "");
    KitRun run;
    while (lines >> run.folder >> run.program && std::getline(lines >> std::ws, run.caption))
        runs.push_back(run);
    return runs;
}

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
    const std::vector<KitRun> runs = runsAsked();
    ASSERT_FALSE(runs.empty()) << "KIT_RUNS names no program";
    for (const KitRun& run : runs) {
        SCOPED_TRACE(run.program);
        ProgramStart start;
        start.binary = run.program;
        start.caption = run.caption;
        start.environment = {{"SDL_AUDIODRIVER", "dummy"}};
        GameProcess hello(run.folder, start);
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
}
